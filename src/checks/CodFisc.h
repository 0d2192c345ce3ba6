#pragma once

#include "widgets/Screen.h"

class TfrmCodFisc : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmCodFisc(AppContext& context, QWidget* owner);

    // The code to check, handed over by the registry editor.
    void setCodice(const QString& codice);
};
