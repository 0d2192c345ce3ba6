#pragma once

#include <QString>

class ImageButton;
class QWidget;

// What the create-group and open-group screens share: the steel-blue frame and white panel over
// the whole content panel, the instructions banner and the help image. Returns the help image.
ImageButton* costruisciCornice(QWidget* panContainer, const QString& banner, const QString& title);
