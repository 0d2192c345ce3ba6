#include "app/OpenURL.h"

#include "platform/ShellOpener.h"

void TMisc::Open(ShellOpener& shell, const QString& path)
{
    QString target = path;
    target.remove(QLatin1Char('"'));
    shell.open(target);
}
