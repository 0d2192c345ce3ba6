#include "storage/FotoGruppo.h"

#include "photos/PhotoCrop.h"
#include "storage/FileErrorText.h"
#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"
#include "storage/SafeSave.h"
#include "storage/TextRules.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>

QString FotoGruppo::cartella(const QString& programFolder)
{
    return programFolder + QStringLiteral("Foto_Gruppo");
}

QString FotoGruppo::fotoRiquadro(const QString& programFolder, const QString& gruppo, int riquadro,
                                 const QString& posizione)
{
    return cartella(programFolder) + QLatin1Char('/') + TextRules::trim(gruppo) + QStringLiteral("_Foto_") +
           TSchedaGruppo::lettera(riquadro) + QLatin1Char('_') + TextRules::trim(posizione) +
           QStringLiteral(".jpg");
}

QString FotoGruppo::anteprima(const QString& programFolder, const QString& gruppo, int riquadro)
{
    return cartella(programFolder) + QLatin1Char('/') + TextRules::trim(gruppo) +
           QStringLiteral("_Anteprima_") + TSchedaGruppo::lettera(riquadro) + QStringLiteral(".jpg");
}

QImage FotoGruppo::bianca()
{
    static const QImage picture = RidimensionaFoto(Placeholder::image());
    return picture;
}

QImage RidimensionaFoto(const QImage& picture)
{
    const QSize size(FotoGruppo::kWidth, FotoGruppo::kHeight);
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    if (picture.isNull())
        return result;
    // A picture of another shape is cut to the slot's shape first, never stretched; drawing it at
    // full opacity over transparent black keeps a picture of the slot's size pixel for pixel.
    const QImage source =
        picture.size() == size
            ? picture
            : PhotoCrop::cropped(picture, PhotoCrop::suggestedFrame(picture.size(), size), size);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QRect(QPoint(0, 0), size), source);
    return result;
}

void FotoRiquadri::azzera()
{
    foto.fill(FotoGruppo::bianca());
    sconosciuta.fill(false);
}

void FotoRiquadri::imposta(int riquadro, const QImage& picture)
{
    foto.at(riquadro) = picture;
    sconosciuta.at(riquadro) = false;
}

QString SalvaFotoRiquadri(const QString& programFolder, const QString& gruppo, const QString& posizione,
                          FotoRiquadri& riquadri, QString* reason)
{
    QString nonScritte;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        if (riquadri.sconosciuta[i])
            continue; // the stored photo stays as it is
        const QImage ridotta = RidimensionaFoto(riquadri.foto[i]);
        QString perche;
        if (QDir().mkpath(FotoGruppo::cartella(programFolder)) &&
            PhotoFiles::save(ridotta, FotoGruppo::fotoRiquadro(programFolder, gruppo, i, posizione),
                             &perche)) {
            riquadri.foto[i] = ridotta;
            continue;
        }
        if (reason && nonScritte.isEmpty())
            *reason = perche;
        nonScritte += TSchedaGruppo::lettera(i);
    }
    return nonScritte;
}

FotoInAttesa::FotoInAttesa() = default;

FotoInAttesa::~FotoInAttesa() = default; // an uncommitted QSaveFile removes its temporary file

QString FotoInAttesa::prepara(const QString& programFolder, const QString& gruppo, const QString& posizione,
                              const FotoRiquadri& riquadri, QString* reason)
{
    annulla();
    QString nonScritte;
    const bool cartella = QDir().mkpath(FotoGruppo::cartella(programFolder));
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        if (riquadri.sconosciuta[i])
            continue;
        const QString path = FotoGruppo::fotoRiquadro(programFolder, gruppo, i, posizione);
        auto file = std::make_unique<QSaveFile>(path);
        const QImage ridotta = RidimensionaFoto(riquadri.foto[i]);
        QString perche;
        if (cartella && file->open(QIODevice::WriteOnly) &&
            PhotoFiles::encode(ridotta, *file, path, &perche)) {
            m_file[i] = std::move(file);
            m_ridotta[i] = ridotta;
            continue;
        }
        if (perche.isEmpty())
            perche = FileErrorText::italian(file->errorString());
        file->cancelWriting();
        if (reason && nonScritte.isEmpty())
            *reason = perche;
        nonScritte += TSchedaGruppo::lettera(i);
    }
    if (!nonScritte.isEmpty())
        annulla();
    return nonScritte;
}

QString FotoInAttesa::metti(FotoRiquadri& riquadri, QString* reason)
{
    QString nonMesse;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        if (!m_file[i])
            continue;
        QString perche;
        if (SafeSave::commit(*m_file[i], &perche)) {
            riquadri.foto[i] = m_ridotta[i];
        } else {
            if (reason && nonMesse.isEmpty())
                *reason = perche;
            nonMesse += TSchedaGruppo::lettera(i);
        }
        m_file[i].reset();
        m_ridotta[i] = QImage();
    }
    return nonMesse;
}

void FotoInAttesa::annulla()
{
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        if (m_file[i])
            m_file[i]->cancelWriting();
        m_file[i].reset();
        m_ridotta[i] = QImage();
    }
}

int EliminaFotoGruppo(const QString& programFolder, const QString& gruppo)
{
    // <gruppo>_Foto_<A-H>_<digits>.jpg and <gruppo>_Anteprima_<A-H>.jpg, and nothing of a group
    // whose name merely begins the same way.
    const QString nome = QRegularExpression::escape(TextRules::trim(gruppo));
    const QRegularExpression propria(
        QStringLiteral("\\A%1_(Foto_[A-H]_[0-9]+|Anteprima_[A-H])\\.jpg\\z").arg(nome));
    QDir cartella(FotoGruppo::cartella(programFolder));
    int eliminate = 0;
    const QStringList presenti = cartella.entryList(QDir::Files | QDir::Hidden);
    for (const QString& file : presenti) {
        if (propria.match(file).hasMatch() && cartella.remove(file))
            ++eliminate;
    }
    return eliminate;
}

QString CaricaFotoRiquadri(const QString& programFolder, const QString& gruppo, const QString& posizione,
                           FotoRiquadri& riquadri)
{
    QString illeggibili;
    QDir().mkpath(FotoGruppo::cartella(programFolder));
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        const QString path = FotoGruppo::fotoRiquadro(programFolder, gruppo, i, posizione);
        const QImage picture = PhotoFiles::load(path);
        const bool sconosciuta = picture.isNull() && QFileInfo(path).isFile();
        riquadri.foto[i] = picture.isNull() ? FotoGruppo::bianca() : picture;
        riquadri.sconosciuta[i] = sconosciuta;
        if (sconosciuta)
            illeggibili += TSchedaGruppo::lettera(i);
    }
    return illeggibili;
}

int SalvaAnteprime(const QString& programFolder, const QString& gruppo, const FotoRiquadri& riquadri)
{
    if (!QDir().mkpath(FotoGruppo::cartella(programFolder)))
        return 0;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        if (!PhotoFiles::save(RidimensionaFoto(riquadri.foto[i]),
                              FotoGruppo::anteprima(programFolder, gruppo, i)))
            return i;
    }
    return TSchedaGruppo::kRiquadri;
}

void CaricaAnteprime(const QString& programFolder, const QString& gruppo, FotoRiquadri& riquadri, int scritte)
{
    QDir().mkpath(FotoGruppo::cartella(programFolder));
    const int fino = qBound(0, scritte, TSchedaGruppo::kRiquadri);
    for (int i = 0; i < fino; ++i) {
        const QImage picture = PhotoFiles::load(FotoGruppo::anteprima(programFolder, gruppo, i));
        if (picture.isNull())
            return;
        riquadri.foto[i] = picture;
    }
}
