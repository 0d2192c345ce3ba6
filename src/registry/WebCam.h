#pragma once

#include "widgets/Screen.h"

class TfrmWebCam : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmWebCam(AppContext& context, QWidget* owner);
};
