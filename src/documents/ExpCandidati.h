#pragma once

#include "widgets/Screen.h"

class TfrmExpCandidati : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmExpCandidati(AppContext& context, QWidget* owner);
};
