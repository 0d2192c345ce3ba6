#pragma once

#include "widgets/Screen.h"

// The change-password screen, reached from the login screen.
class TfrmCambiaPassword : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(AppContext& context);

protected:
    void onClose() override;
};
