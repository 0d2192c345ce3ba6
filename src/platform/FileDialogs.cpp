#include "platform/FileDialogs.h"

#include <QFileDialog>

QString QtFileDialogs::openFile(QWidget* owner, const QString& title, const QString& filters)
{
    QFileDialog dialog(owner, title, QString(), filters);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtFileDialogs::saveFile(QWidget* owner, const QString& title, const QString& filters,
                                const QString& proposedName, const QString& defaultSuffix)
{
    QFileDialog dialog(owner, title, QString(), filters);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString FileDialogs::chooseFolder(QWidget* owner, const QString& title)
{
    return QFileDialog::getExistingDirectory(owner, title);
}
