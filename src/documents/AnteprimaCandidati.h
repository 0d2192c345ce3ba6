#pragma once

#include "documents/PersonCardScreen.h"

// Shows the person card of the registry editor in the preview window.
class TfrmAnteprimaCandidati : public PersonCardScreen {
    Q_OBJECT
public:
    TfrmAnteprimaCandidati(AppContext& context, QWidget* owner);

protected:
    void output() override;
};
