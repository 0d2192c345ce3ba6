#pragma once

#include "storage/PhotoFiles.h"

#include <QString>

class FileDialogs;
class QWidget;

// The two dialogs of the photo images, the same on the card, the webcam and the group page.
namespace PhotoDialogs {
// The JPEG or bitmap file to load; empty when the user cancels.
QString fileToLoad(FileDialogs& dialogs, QWidget* owner);
// The JPEG file to write, "Foto.jpg" proposed and ".jpg" added to a name without extension;
// empty when the user cancels.
QString fileToSave(FileDialogs& dialogs, QWidget* owner);
// The warning for a photo that could not be written to the chosen file, with the reason.
QString notSavedMessage(const QString& reason);
// The warning for a chosen file that gives no picture.
QString unreadableMessage();
// The same, naming the file and saying why it gave none.
QString unreadableMessage(const QString& path, const PhotoFiles::Read& read);
} // namespace PhotoDialogs
