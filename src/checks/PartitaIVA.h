#pragma once

#include "widgets/Screen.h"

class QLineEdit;

// Tells whether a partita IVA carries the right check digit and which office issued it, then closes.
class TfrmPartitaIva : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmPartitaIva(AppContext& context, QWidget* owner);

    // The opener puts the number to check into the field.
    void setPartitaIva(const QString& numero);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnControllaClick();

    QLineEdit* m_txtPartitaIva = nullptr;
};
