#pragma once

#include "documents/GroupPageScreen.h"

// Shows the group page of the page editor in the preview window.
class TfrmAnteprimaProdotto : public GroupPageScreen {
    Q_OBJECT
public:
    TfrmAnteprimaProdotto(AppContext& context, QWidget* owner);

protected:
    void output(const Report::PagedDocument& document) override;
};
