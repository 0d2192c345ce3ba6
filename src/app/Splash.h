#pragma once

#include "widgets/Screen.h"

// The credits screen: the maker's credits picture and web address.
class TfrmSplash : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmSplash(AppContext& context, QWidget* owner);

private:
    void lnkWebClick();
};
