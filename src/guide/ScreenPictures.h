#pragma once

#include <QImage>
#include <QList>
#include <QString>

// A picture of one screen of the program, named by the screen's class.
struct ScreenPicture {
    QString screen; // "TfrmAvvio", "TfrmCandidati", ...
    QImage image;
    QString caption;
};

// An image button as the screens show it: its picture, its name and what it does.
struct ButtonPicture {
    QImage image;
    QString name;
    QString action; // the hint the screen gives for it
};

struct ScreenMaterial {
    QList<ScreenPicture> screens;
    QList<ButtonPicture> buttons; // every picture once, in the order the screens show them
};

// Pictures of the program's screens and of their image buttons for the user guide, drawn
// offscreen from the real screens with example data in a throw-away program folder.
namespace ScreenPictures {
ScreenMaterial take();
// The name under which the guide shows an image button, from its object name ("cmdNuovo": "Nuovo").
QString buttonName(const QString& objectName);
} // namespace ScreenPictures
