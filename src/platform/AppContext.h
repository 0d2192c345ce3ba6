#pragma once

#include <QString>

class MessageBoxes;
class FileDialogs;
class ShellOpener;
class ModalRunner;
class Camera;
class Printing;
class PhotoCropper;
class ScreenFlow;

// What every screen needs from outside itself: the program folder and the platform layers.
// Production fills it in main(); tests fill it with recorders and a temporary folder.
struct AppContext {
    QString programFolder; // ends with '/'
    MessageBoxes* messages = nullptr;
    FileDialogs* fileDialogs = nullptr;
    ShellOpener* shell = nullptr;
    ModalRunner* modal = nullptr;
    Camera* camera = nullptr; // the default video input
    Printing* printing = nullptr;
    PhotoCropper* cropper = nullptr; // the crop window; none: the suggested crop is taken
    ScreenFlow* screens = nullptr;   // the seven main screens, once created

    QString pathOf(const QString& relativeName) const { return programFolder + relativeName; }
};
