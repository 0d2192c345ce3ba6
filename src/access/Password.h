#pragma once

#include "widgets/Screen.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The login screen, the main window of the program.
class TfrmPassword : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmPassword(AppContext& context);

    QLineEdit* txtPassword() const { return m_txtPassword; }
    QLabel* lblMemory() const { return m_lblMemory; }

protected:
    void onClose() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool hasPassword() const;
    void updateOK();
    void cmdOKClick();

    QLineEdit* m_txtPassword;
    QLabel* m_lblMemory;
    QPushButton* m_cmdOK;
};
