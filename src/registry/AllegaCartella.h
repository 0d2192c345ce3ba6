#pragma once

#include "widgets/Screen.h"

class TfrmAllegaCartella : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmAllegaCartella(AppContext& context, QWidget* owner);
};
