#pragma once

#include "documents/ExportFixture.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QUrl>

#include <initializer_list>

// Cards, archives and LibreOffice conversions for the import tests.
namespace ImportFixture {

using C = TSchedaAnagrafica;

// The export tests' cards and archive writer serve here too.
using ExportFixture::scheda;
using ExportFixture::scriviArchivio;

inline QList<TSchedaAnagrafica> leggiArchivio(const QString& path)
{
    QList<TSchedaAnagrafica> result;
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, C::kSize);
    while (!archivio.FineArchivio()) {
        TSchedaAnagrafica s;
        archivio.LeggiScheda(s.buffer());
        result.append(s);
    }
    archivio.ChiudiArchivio();
    return result;
}

inline QString soffice()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

// Converts a file with LibreOffice into outFolder; returns the new file's path or an empty string.
// filter is the target ("xlsx", "ods"); inFilter names the import filter when the extension is not enough.
inline QString converti(const QString& file, const QString& filter, const QString& outFolder,
                        const QString& inFilter = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), outFolder);
    process.setProcessEnvironment(environment);
    QStringList arguments = {QStringLiteral("-env:UserInstallation=") +
                                 QUrl::fromLocalFile(outFolder + QStringLiteral("/profilo")).toString(),
                             QStringLiteral("--headless")};
    if (!inFilter.isEmpty())
        arguments << QStringLiteral("--infilter=") + inFilter;
    arguments << QStringLiteral("--convert-to") << filter << QStringLiteral("--outdir") << outFolder << file;
    process.start(soffice(), arguments);
    if (!process.waitForFinished(180000))
        return {};
    const QString out =
        QDir(outFolder).filePath(QFileInfo(file).completeBaseName() + u'.' + filter.section(u':', 0, 0));
    return QFileInfo::exists(out) ? out : QString();
}

// A zip made of the given parts, as a spreadsheet program would write it.
inline bool scriviZip(const QString& path, const QList<QPair<QString, QByteArray>>& parts)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto& [name, bytes] : parts) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)))
            return false;
        file.write(bytes);
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

} // namespace ImportFixture
