#pragma once

#include "widgets/Screen.h"

class TfrmPartitaIva : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmPartitaIva(AppContext& context, QWidget* owner);
};
