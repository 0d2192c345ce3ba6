#pragma once

#include "widgets/Screen.h"

#include <QString>

class PannelloRiepilogo;

// The summary of the persons to be contacted again, built from the registry when the screen
// is shown; a double click loads the card into the registry editor.
class TfrmDaRicontattare : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmDaRicontattare(AppContext& context, QWidget* owner);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The last "Trova" text, shared by every opening of this screen and emptied on show.
    static QString s_lastFind;

    PannelloRiepilogo* m_panContainer;
};
