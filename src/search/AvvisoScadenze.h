#pragma once

#include "widgets/Screen.h"

class QLabel;

// The short notice after login: "3 documenti scadono entro 7 giorni", with a button that opens
// the deadlines list. Shown only when the setting asks for it and something expires.
class TfrmAvvisoScadenze : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmAvvisoScadenze(AppContext& context, QWidget* owner, int count);

    // "1 documento scade entro 7 giorni", "3 documenti scadono entro 7 giorni".
    static QString testo(int count, int days);
    // Whether "Apri l'elenco" closed the notice.
    bool apriElenco() const { return m_apriElenco; }

    // After a successful login, over the launcher: counts the documents expiring within the
    // notice's days and shows the notice when the setting is on and there are some. True when
    // the user asked for the list.
    static bool dopoAccesso(AppContext& context, QWidget* owner);

private:
    bool m_apriElenco = false;
};
