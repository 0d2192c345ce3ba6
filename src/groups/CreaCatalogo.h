#pragma once

#include "widgets/Screen.h"

class QLabel;
class QLineEdit;

// The new-group screen: makes an empty group file from the name typed.
class TfrmCreaCatalogo : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmCreaCatalogo(AppContext& context);

    QLineEdit* txtFile() const { return m_txtFile; }

protected:
    void showEvent(QShowEvent* event) override;
    void onClose() override;

private:
    void btnApplicaClick();
    void imgGuidaClick();

    QLineEdit* m_txtFile;
    QLabel* m_lblFile;
};
