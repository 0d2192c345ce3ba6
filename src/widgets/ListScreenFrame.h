#pragma once

#include <QRect>
#include <QString>

class HintLine;
class QLabel;
class QWidget;

// The frame of a secondary screen that works on a list: a pale blue to white gradient, the white
// panel "shpPannello", the violet strip "shpInfo" with the hint line "panInfo" on it, and the
// title "lblTitolo" and subtitle "lblSottotitolo" above. The hint line empties over all of them.
struct ListScreenFrame {
    struct Texts {
        QString panel; // the panel's accessible name
        QString title; // in capitals
        QString subtitle;
        QString info; // the hint line's resting text
    };

    ListScreenFrame(QWidget* screen, const QRect& panel, const QRect& strip, const Texts& texts);

    // A dark blue label of the panel whose text changes; a screen reader reads its text, then the
    // description.
    static QLabel* label(QWidget* parent, const char* name, const QRect& geometry,
                         const QString& description);

    QLabel* panInfo;
    HintLine* hint;
};
