#pragma once

#include "support/TestFiles.h"

#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QPair>
#include <QString>

// Registries and picture files for the tests of the photos of a folder.
namespace FotoCartellaFixture {

// A card with the five fields a save needs, a name and a codice fiscale.
inline TSchedaAnagrafica scheda(const QString& nome, const QString& codiceFiscale = QString())
{
    using C = TSchedaAnagrafica;
    TSchedaAnagrafica s;
    s.setTesto(C::Candidato, nome);
    s.setTesto(C::Sesso, QStringLiteral("M"));
    s.setTesto(C::Email, QStringLiteral("posta@esempio.it"));
    s.setTesto(C::Cel, QStringLiteral("333 1234567"));
    s.setTesto(C::Esperienze, QStringLiteral("Alunno"));
    s.setTesto(C::CodFisc, codiceFiscale);
    s.setRicontatta(false);
    return s;
}

inline void scriviArchivio(const QString& programFolder, const QList<TSchedaAnagrafica>& schede)
{
    TArchivioSchede archive;
    archive.ApriOCrea(TSchedaAnagrafica::archivio(programFolder), TSchedaAnagrafica::kSize);
    archive.Posiziona(archive.NumeroSchede());
    for (const TSchedaAnagrafica& s : schede)
        archive.ScriviScheda(s.buffer());
    archive.ChiudiArchivio();
}

// A photo with a dark band across its top third, so that the upright side can be told.
inline QImage foto(QSize size, QColor colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    for (int y = 0; y < size.height() / 3; ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(10, 10, 10));
    return picture;
}

inline QByteArray codifica(const QImage& picture, const char* format,
                           QImageIOHandler::Transformations orientation = QImageIOHandler::TransformationNone)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setTransformation(orientation);
    writer.write(picture);
    return bytes;
}

inline void scriviFoto(const QString& path, const QImage& picture, const char* format = "JPG")
{
    TestFiles::writeAll(path, codifica(picture, format));
}

// The mean colour of a picture's lower half, where the band is not.
inline QColor coloreSotto(const QImage& picture)
{
    qint64 r = 0, g = 0, b = 0, n = 0;
    for (int y = picture.height() / 2; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4) {
            const QRgb p = picture.pixel(x, y);
            r += qRed(p), g += qGreen(p), b += qBlue(p), ++n;
        }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

inline bool simile(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

} // namespace FotoCartellaFixture
