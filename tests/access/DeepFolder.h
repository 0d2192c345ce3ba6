#pragma once

#include <QDir>
#include <QString>

// A program folder whose path is so long that the password file can still be read and written in
// place, but no temporary file can be made beside it: an atomic replacement of the file must fail.
// Returns an empty string where the trick does not apply (it relies on a 4096-byte path limit).
inline QString deepProgramFolder(const QString& base)
{
#ifdef Q_OS_LINUX
    constexpr int kTarget = 4080; // folder + "unins000.dll" fits in 4095; the ".XXXXXX" temporary does not
    QString folder = QDir(base).absolutePath() + QLatin1Char('/');
    while (folder.size() < kTarget) {
        const int room = kTarget - int(folder.size()) - 1;
        if (room <= 0)
            break;
        // Parts of at most 200 characters, never leaving a remainder too small for one more.
        const int part = room <= 200 ? room : (room == 201 ? 100 : 200);
        folder += QString(part, QLatin1Char('d')) + QLatin1Char('/');
    }
    if (folder.size() != kTarget || !QDir().mkpath(folder))
        return {};
    return folder;
#else
    Q_UNUSED(base);
    return {};
#endif
}
