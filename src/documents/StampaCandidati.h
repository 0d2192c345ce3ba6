#pragma once

#include "widgets/Screen.h"

class TfrmStampaCandidati : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmStampaCandidati(AppContext& context, QWidget* owner);
};
