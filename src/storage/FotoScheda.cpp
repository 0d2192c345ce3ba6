#include "storage/FotoScheda.h"

#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"
#include "storage/TextRules.h"

#include <QDir>

QString FotoScheda::cartella(const QString& programFolder)
{
    return programFolder + QStringLiteral("Anagrafica");
}

QString FotoScheda::percorso(const QString& programFolder, const QString& position)
{
    return cartella(programFolder) + QStringLiteral("/Scheda_Anagrafica_") + TextRules::trim(position) +
           QStringLiteral(".jpg");
}

bool SalvaFotoScheda(const QString& programFolder, const QString& position, const QImage& picture)
{
    return QDir().mkpath(FotoScheda::cartella(programFolder)) &&
           PhotoFiles::save(picture, FotoScheda::percorso(programFolder, position));
}

void CaricaFotoScheda(const QString& programFolder, const QString& position, QImage& picture)
{
    QDir().mkpath(FotoScheda::cartella(programFolder));
    const QImage loaded = PhotoFiles::load(FotoScheda::percorso(programFolder, position));
    picture = loaded.isNull() ? Placeholder::image() : loaded;
}
