#pragma once

#include "widgets/Screen.h"

// The launcher: the hub from which the registry and the group archives are reached.
class TfrmAvvio : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmAvvio(AppContext& context);

    // The maker's web address opened by the footer banner.
    static QString webAddress();

protected:
    void onClose() override;

private:
    void openWorkScreen(int column);
};
