#include "platform/ShellOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool DesktopShellOpener::open(const QString& target)
{
    const QUrl asUrl(target, QUrl::TolerantMode);
    // A one-letter scheme is a Windows drive, not an address.
    const bool isAddress = asUrl.isValid() && asUrl.scheme().size() > 1;
    return QDesktopServices::openUrl(isAddress ? asUrl
                                               : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
}
