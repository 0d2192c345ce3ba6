#pragma once

#include "storage/TSchedaAnagrafica.h"
#include "widgets/Screen.h"

#include <QDate>

class ExpiryModel;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QListView;
class QPushButton;
class QSpinBox;

// Documents expired or expiring before a reference date (the day of a trip) and the coming
// birthdays, for the whole registry or the persons of one group, with the dates that cannot be
// read listed apart. Enter or a double click on a line chooses its card and closes the screen.
class TfrmScadenze : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmScadenze(AppContext& context, QWidget* owner);

    // Days of the documents' window; the notice after login opens the list with its own.
    void setGiorniDocumenti(int days);
    // The card chosen with Enter or a double click, read again from the archive, and its
    // 1-based position (0 while none was chosen). The opener shows it in the registry editor.
    int schedaAperta() const { return m_schedaAperta; }
    const TSchedaAnagrafica& scheda() const { return m_scheda; }

    QListView* lstRecords() const { return m_lstRecords; }
    // The list as shown, headings included; builds it when it is shown.
    QStringList righe() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void creaFiltri();
    void creaComandi();
    void riempiGruppi();
    QString gruppoScelto() const;
    // Builds the list from the archive; false when it failed or was stopped.
    bool btnAggiornaClick();
    void apriScheda(int row);
    void btnStampaClick();
    void btnSalvaPdfClick();
    void chkAvvisoClick(bool on);

    QDateEdit* m_txtData = nullptr;
    QSpinBox* m_txtGiorniDocumenti = nullptr;
    QSpinBox* m_txtGiorniCompleanni = nullptr;
    QComboBox* m_lstGruppo = nullptr;
    QPushButton* m_btnAggiorna = nullptr;
    QListView* m_lstRecords = nullptr;
    ExpiryModel* m_modello = nullptr;
    QLabel* m_lblRiepilogo = nullptr;
    QCheckBox* m_chkAvviso = nullptr;
    QString m_titolo;  // of the list shown, for printing
    QString m_nomePdf; // the PDF file's name before its date
    TSchedaAnagrafica m_scheda;
    int m_schedaAperta = 0;
};
