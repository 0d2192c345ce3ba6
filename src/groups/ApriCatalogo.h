#pragma once

#include "widgets/Screen.h"

class QLabel;
class QListWidget;

// The open-group screen: lists the group files and hands the chosen one to the page editor.
class TfrmApriCatalogo : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmApriCatalogo(AppContext& context);

    QLabel* lblMemory() const { return m_lblMemory; }

protected:
    void showEvent(QShowEvent* event) override;
    void onClose() override;

private:
    void riempiElenco();
    void btnApriClick();

    QLabel* m_lblMemory;
    QLabel* m_lblFile;
    QListWidget* m_lstFiles;
};
