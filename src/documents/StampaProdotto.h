#pragma once

#include "documents/GroupPageScreen.h"

// Prints the group page of the page editor; the print dialog comes first.
class TfrmStampaProdotto : public GroupPageScreen {
    Q_OBJECT
public:
    TfrmStampaProdotto(AppContext& context, QWidget* owner);

protected:
    void output(const Report::PagedDocument& document) override;
};
