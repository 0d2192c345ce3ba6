#pragma once

#include "widgets/Screen.h"

#include <QStringList>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class ImageButton;

// Up to three files attached to a card: each is copied into Documenti_Allegati and the card
// keeps its name and a description.
class TfrmAllegaCartella : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmAllegaCartella(AppContext& context, QWidget* owner);

    QLabel* lblMemory() const { return m_lblMemory; }

signals:
    // "Applica e chiudi" in mode "candidati": the trimmed names of the three files,
    // then their three descriptions.
    void applica(const QStringList& testi);

private:
    struct Slot {
        QLineEdit* txtFile = nullptr;
        QLineEdit* txtDesc = nullptr;
        ImageButton* imgCancella = nullptr;
        QPushButton* btnSfoglia = nullptr;
        QPushButton* btnApri = nullptr;
    };

    void costruisciSlot(int numero, int top);
    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void txtFileChange(int slot);
    void btnApplicaClick();

    std::array<Slot, 3> m_slot{};
    QPushButton* m_btnApplica = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
    QLabel* m_lblMemory = nullptr;
};
