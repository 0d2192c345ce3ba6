#pragma once

#include "widgets/Screen.h"

class TfrmSplash : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmSplash(AppContext& context, QWidget* owner);
};
