#pragma once

#include "widgets/Screen.h"

class QLabel;
class QListWidget;

// The open-group screen: lists the group files, deletes one, or hands one to the page editor.
class TfrmApriCatalogo : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmApriCatalogo(AppContext& context);

    QLabel* lblMemory() const { return m_lblMemory; }
    QListWidget* lstFiles() const { return m_lstFiles; }

protected:
    void showEvent(QShowEvent* event) override;
    void onClose() override;

private:
    void riempiElenco();
    // The selected item's text, or empty when the list has none selected.
    QString selezionato() const;
    // The chosen group, or an empty text after telling the user why there is none.
    QString gruppoScelto(const QString& senzaScelta);
    void btnApriClick();
    void btnEliminaClick();
    void imgGuidaClick();

    QLabel* m_lblMemory;
    QLabel* m_lblFile;
    QLabel* m_lblCreati;
    QListWidget* m_lstFiles;
};
