#pragma once

#include "widgets/Screen.h"

// The launcher: the hub from which the registry and the group archives are reached.
class TfrmAvvio : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmAvvio(AppContext& context);

    // The maker's web address opened by the footer banner.
    static QString webAddress();

    // The deadlines list over the launcher; a card opened from it shows in the registry editor.
    // giorniDocumenti: the documents' window in days, the screen's own when below 0.
    void apriScadenze(int giorniDocumenti = -1);
    // Just after login: the notice of documents about to expire, when the setting asks for it.
    void dopoAccesso();

protected:
    void onClose() override;

private:
    void openWorkScreen(int column);
};
