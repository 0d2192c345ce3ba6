#pragma once

#include "widgets/Screen.h"

class QLabel;
class TSchedaAnagrafica;

// The group page editor: the pages of eight persons of one group.
class TfrmListinoPrezzi : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmListinoPrezzi(AppContext& context);

    // Binds the editor to a group file; the open-group screen calls it before showing.
    void apriGruppo(const QString& filePath, const QString& groupName);
    QString groupFile() const;
    QString groupName() const;

    // The search hands a chosen registry card here in the modes "persona_a" ... "persona_h".
    // The slot fill plugs in here; until then the page is left as it is.
    virtual void importaPersona(QChar slot, const TSchedaAnagrafica& record, int position);

protected:
    void onClose() override;

private:
    QLabel* m_lblFile;
    QLabel* m_lblNome;
};
