#pragma once

#include "widgets/Screen.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The change-password screen, reached from the login screen.
class TfrmCambiaPassword : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(AppContext& context);

protected:
    void onClose() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* passwordField(const QString& name, int y);
    void updateOK();
    void cmdOKClick();
    void askNewPasswordAgain(const QString& message);

    QLineEdit* m_txtPasswordOld;
    QLineEdit* m_txtPasswordNew;
    QLineEdit* m_txtConferma;
    QLabel* m_lblMemory;
    QPushButton* m_cmdOK;
};
