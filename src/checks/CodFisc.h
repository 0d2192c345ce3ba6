#pragma once

#include "widgets/Screen.h"

class QLineEdit;
class QPushButton;

// Tells whether a codice fiscale carries the right check character, then closes.
class TfrmCodFisc : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmCodFisc(AppContext& context, QWidget* owner);

    // The opener puts the code to check into the field.
    void setCodice(const QString& codice);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnControllaClick();

    QLineEdit* m_txtCodFisc = nullptr;
};
