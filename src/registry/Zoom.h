#pragma once

#include "widgets/Screen.h"

class TfrmZoom : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmZoom(AppContext& context, QWidget* owner);
};
