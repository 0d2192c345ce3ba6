#pragma once

#include "widgets/Screen.h"

class TfrmInfo : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmInfo(AppContext& context, QWidget* owner);
};
