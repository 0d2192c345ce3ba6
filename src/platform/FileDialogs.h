#pragma once

#include <QString>

class QWidget;

// Open and save file dialogs; an empty result means the user cancelled.
// Each filter is its caption followed by its patterns in parentheses, "Immagine Bitmap (*.bmp) (*.bmp)":
// the dialog shows the caption as it stands and matches the last parenthesised patterns.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString openFile(QWidget* owner, const QString& title, const QString& filters) = 0;
    // Asks before overwriting; a name typed without an extension gets defaultSuffix.
    virtual QString saveFile(QWidget* owner, const QString& title, const QString& filters,
                             const QString& proposedName, const QString& defaultSuffix) = 0;
    // An existing folder; the platform's folder dialog unless overridden.
    virtual QString chooseFolder(QWidget* owner, const QString& title);
};

class QtFileDialogs final : public FileDialogs {
public:
    QString openFile(QWidget* owner, const QString& title, const QString& filters) override;
    QString saveFile(QWidget* owner, const QString& title, const QString& filters,
                     const QString& proposedName, const QString& defaultSuffix) override;
};
