#pragma once

#include "widgets/Screen.h"

// The new-group screen.
class TfrmCreaCatalogo : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmCreaCatalogo(AppContext& context);

protected:
    void onClose() override;
};
