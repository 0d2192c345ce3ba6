#pragma once

#include "widgets/Screen.h"

class TfrmDaRicontattare : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmDaRicontattare(AppContext& context, QWidget* owner);
};
