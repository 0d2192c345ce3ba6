#pragma once

#include "documents/PersonCardScreen.h"

// Prints the person card of the registry editor; the print dialog comes first.
class TfrmStampaCandidati : public PersonCardScreen {
    Q_OBJECT
public:
    TfrmStampaCandidati(AppContext& context, QWidget* owner);

protected:
    void output() override;
};
