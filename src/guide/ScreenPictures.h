#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// A picture of one screen of the program, named by the screen's class.
struct ScreenPicture {
    QString screen; // "TfrmAvvio", "TfrmCandidati", ...
    QImage image;
    QString caption;
};

// An image button as the screens show it: its pictures, its name and what it does. A command
// that two screens draw with different pictures (the launcher's "Guida" and the work screens')
// is one entry with both pictures; two commands with one picture are two entries.
struct ButtonPicture {
    QList<QImage> images;
    QString name;
    QString action;    // the longest hint the screens give for it
    QStringList hints; // every hint the screens give for it, once each
    QString keys;      // the key that presses it, if it has one
};

struct ScreenMaterial {
    QList<ScreenPicture> screens;
    QList<ButtonPicture> buttons; // every command once, in the order the screens show them
};

// Pictures of the program's screens and of their image buttons for the user guide, drawn
// offscreen from the real screens with example data in a throw-away program folder.
namespace ScreenPictures {
ScreenMaterial take();
// The name under which the guide shows an image button, from its object name ("cmdNuovo": "Nuovo").
// screen: the class of the screen that shows it, for names that differ by screen.
QString buttonName(const QString& objectName, const QString& screen = {});
// True when every word of the name (of four letters or more) is in the hint, its ending aside:
// the legend's name of a button says what its hint says.
bool nameFitsHint(const QString& name, const QString& hint);
} // namespace ScreenPictures
