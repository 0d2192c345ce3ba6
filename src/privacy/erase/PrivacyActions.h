#pragma once

#include "privacy/erase/PersonInventory.h"

#include <QObject>

#include <optional>

struct AppContext;
class QAction;
class QPushButton;
class QWidget;
class TfrmCandidati;

// The registry editor's "Privacy" button: "Esporta dati della persona" and "Cancella persona" on
// the card shown, and, when the editor opens, the offer to finish an erase that was stopped midway.
class PrivacyActions : public QObject {
    Q_OBJECT
public:
    PrivacyActions(AppContext& context, TfrmCandidati& editor, QWidget* panel);

    void esportaPersona();
    void cancellaPersona();
    // Offers to finish each erase the log shows unfinished.
    void completaCancellazioni();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The position of the stored card shown, or 0 after a warning.
    int posizioneArchiviata(const QString& avviso);
    // The card at the position with all that belongs to it; nothing after a message when it cannot
    // be read or is empty (vuota: the warning, %1 the position).
    std::optional<PersonInventory> persona(int posizione, const PersonSideDataList& side,
                                           const QString& vuota);

    AppContext& m_context;
    TfrmCandidati& m_editor;
};
