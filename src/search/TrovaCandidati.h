#pragma once

#include "storage/TSchedaAnagrafica.h"
#include "widgets/Screen.h"

#include <QString>

#include <utility>
#include <vector>

class PannelloRiepilogo;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The search over the registry: ten filters, then the list of the cards that pass them.
// A double click loads the card into the registry editor (mode "candidati") or hands it to a
// slot of the group page editor (modes "persona_a" ... "persona_h").
class TfrmTrovaCandidati : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmTrovaCandidati(AppContext& context, QWidget* owner);

    // The mode word written by the opener: "candidati" or "persona_a" ... "persona_h".
    QLabel* lblMemory() const { return m_lblMemory; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Hands a chosen card to the slot of the page on show in the group page editor.
    virtual void consegnaPersona(QChar slot, const TSchedaAnagrafica& scheda, int position);

private:
    void creaFiltri();
    void btnCercaMouseDown();
    void btnCercaClick();
    void richiamaScheda(const TSchedaAnagrafica& scheda, int position);

    // The last "Trova" text, shared by every opening of this screen and emptied on show.
    static QString s_lastFind;

    QWidget* m_panAvvio;
    PannelloRiepilogo* m_panContainer;
    QLabel* m_lblMemory = nullptr;
    QLabel* m_lblConta = nullptr;
    QLabel* m_lblAttendere = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
    QPushButton* m_btnCerca = nullptr;
    QCheckBox* m_chkSenzaConsenso = nullptr;
    // The filter fields in the order of the Enter ring.
    std::vector<std::pair<TSchedaAnagrafica::Campo, QLineEdit*>> m_filtri;
};
