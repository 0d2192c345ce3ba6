#pragma once

#include "widgets/Screen.h"

class TfrmCodFisc : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmCodFisc(AppContext& context, QWidget* owner);
};
