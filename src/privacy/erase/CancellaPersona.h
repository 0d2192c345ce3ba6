#pragma once

#include "privacy/erase/PersonInventory.h"
#include "widgets/Screen.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

// The erase of a person: the list of everything that will be removed, the tick for the group
// groupSlots, the note on backups, and a second confirmation that names the person.
class TfrmCancellaPersona : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmCancellaPersona(AppContext& context, QWidget* owner, const PersonInventory& inventory);

    // True once the user confirmed twice.
    bool confermata() const { return m_confermata; }
    bool svuotaRiquadri() const;

    // The second question, naming the person.
    static QString domanda(const PersonInventory& inventory);
    // The lines of the preview.
    static QStringList elementi(const PersonInventory& inventory);

private:
    void btnCancellaClick();

    const PersonInventory& m_inventory;
    QListWidget* m_lstElementi = nullptr;
    QCheckBox* m_chkRiquadri = nullptr;
    QPushButton* m_btnCancella = nullptr;
    bool m_confermata = false;
};
