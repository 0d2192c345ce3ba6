#pragma once

#include "widgets/Screen.h"

class TfrmPartitaIva : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmPartitaIva(AppContext& context, QWidget* owner);

    // The number to check, handed over by the registry editor.
    void setPartitaIva(const QString& numero);
};
