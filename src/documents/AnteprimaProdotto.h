#pragma once

#include "widgets/Screen.h"

class TfrmAnteprimaProdotto : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmAnteprimaProdotto(AppContext& context, QWidget* owner);
};
