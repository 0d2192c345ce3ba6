#pragma once

#include "widgets/Screen.h"

class TfrmTrovaCandidati : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmTrovaCandidati(AppContext& context, QWidget* owner);
};
