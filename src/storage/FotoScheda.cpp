#include "storage/FotoScheda.h"

#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"
#include "storage/TextRules.h"

#include <QDir>
#include <QFileInfo>

QString FotoScheda::cartella(const QString& programFolder)
{
    return programFolder + QStringLiteral("Anagrafica");
}

QString FotoScheda::percorso(const QString& programFolder, const QString& position)
{
    return cartella(programFolder) + QStringLiteral("/Scheda_Anagrafica_") + TextRules::trim(position) +
           QStringLiteral(".jpg");
}

FotoScheda::StatoCartella FotoScheda::statoCartella(const QString& programFolder)
{
    const QFileInfo folder(cartella(programFolder));
    if (folder.exists() && !folder.isDir())
        return StatoCartella::NonCartella;
    if (!folder.exists() ? !QFileInfo(programFolder).isWritable() : !folder.isWritable())
        return StatoCartella::NonScrivibile;
    return StatoCartella::Scrivibile;
}

bool SalvaFotoScheda(const QString& programFolder, const QString& position, const QImage& picture,
                     QString* reason)
{
    return QDir().mkpath(FotoScheda::cartella(programFolder)) &&
           PhotoFiles::save(picture, FotoScheda::percorso(programFolder, position), reason);
}

PhotoFiles::Outcome CaricaFotoScheda(const QString& programFolder, const QString& position, QImage& picture)
{
    QDir().mkpath(FotoScheda::cartella(programFolder));
    PhotoFiles::Read read = PhotoFiles::read(FotoScheda::percorso(programFolder, position));
    picture = read.outcome == PhotoFiles::Outcome::Loaded ? std::move(read.picture) : Placeholder::image();
    return read.outcome;
}
