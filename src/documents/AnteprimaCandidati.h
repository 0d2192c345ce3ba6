#pragma once

#include "widgets/Screen.h"

class TfrmAnteprimaCandidati : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmAnteprimaCandidati(AppContext& context, QWidget* owner);
};
