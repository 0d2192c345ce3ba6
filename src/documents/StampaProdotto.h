#pragma once

#include "widgets/Screen.h"

class TfrmStampaProdotto : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmStampaProdotto(AppContext& context, QWidget* owner);
};
