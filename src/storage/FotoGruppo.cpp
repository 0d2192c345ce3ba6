#include "storage/FotoGruppo.h"

#include "photos/PhotoCrop.h"
#include "platform/FileLock.h"
#include "storage/ArchiveError.h"
#include "storage/FileErrorText.h"
#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"
#include "storage/SafeSave.h"
#include "storage/TArchivioSchede.h"
#include "storage/TextRules.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

// The first line of the note of a page whose photos wait to be put in place.
constexpr char kNotaFotoIntestazione[] = "Folvara foto in attesa 1";

QString fotoNuova(const QString& foto)
{
    return foto + QStringLiteral(".nuova");
}

QString notaFotoInAttesa(const QString& programFolder, const QString& gruppo, const QString& posizione)
{
    return FotoGruppo::cartella(programFolder) + QLatin1Char('/') + gruppo + QStringLiteral("_Foto_") +
           TextRules::trim(posizione) + QStringLiteral(".nota");
}

QByteArray improntaPagina(const QByteArray& record)
{
    return QCryptographicHash::hash(record, QCryptographicHash::Sha256).toHex();
}

// Moves a file over another, replacing it in one step where the system can.
bool sostituisciFile(const QString& da, const QString& a, QString* reason)
{
    std::error_code errore;
    std::filesystem::rename(std::filesystem::path(da.toStdU16String()),
                            std::filesystem::path(a.toStdU16String()), errore);
    if (!errore)
        return true;
#ifdef Q_OS_WIN
    // Where a rename never replaces, the old file goes first: the note still names the new one, so
    // a stop in between is completed at the next opening.
    if (QFileInfo(a).isFile() && QFile::remove(a) && QFile::rename(da, a))
        return true;
#endif
    if (reason)
        *reason = FileErrorText::italian(QString::fromStdString(errore.message()));
    return false;
}

// The notes and the temporary files a stopped save of this very group may leave: the photos
// written beside their files (.nuova, or a temporary name of six letters and digits of older
// versions) and the notes' own temporary files.
struct FotoAvanzi {
    QRegularExpression nota;
    QRegularExpression avanzo;

    explicit FotoAvanzi(const QString& gruppo)
    {
        const QString nome = QRegularExpression::escape(gruppo);
        nota.setPattern(QStringLiteral("\\A%1_Foto_([1-9][0-9]{0,9})\\.nota\\z").arg(nome));
        avanzo.setPattern(
            QStringLiteral("\\A%1_Foto_([A-H]_[0-9]+\\.jpg|[0-9]+\\.nota)\\.(nuova|[A-Za-z0-9]{6})\\z")
                .arg(nome));
    }
};

QStringList fileDellaCartella(const QString& programFolder)
{
    return QDir(FotoGruppo::cartella(programFolder)).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

QString FotoGruppo::cartella(const QString& programFolder)
{
    return programFolder + QStringLiteral("Foto_Gruppo");
}

QString FotoGruppo::fotoRiquadro(const QString& programFolder, const QString& gruppo, int riquadro,
                                 const QString& posizione)
{
    return cartella(programFolder) + QLatin1Char('/') + gruppo + QStringLiteral("_Foto_") +
           TSchedaGruppo::lettera(riquadro) + QLatin1Char('_') + TextRules::trim(posizione) +
           QStringLiteral(".jpg");
}

QString FotoGruppo::anteprima(const QString& programFolder, const QString& gruppo, int riquadro)
{
    return cartella(programFolder) + QLatin1Char('/') + gruppo + QStringLiteral("_Anteprima_") +
           TSchedaGruppo::lettera(riquadro) + QStringLiteral(".jpg");
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
    invariata.fill(false);
}

void FotoRiquadri::imposta(int riquadro, const QImage& picture)
{
    foto.at(riquadro) = picture;
    sconosciuta.at(riquadro) = false;
    invariata.at(riquadro) = false;
}

QString SalvaFotoRiquadri(const QString& programFolder, const QString& gruppo, const QString& posizione,
                          FotoRiquadri& riquadri, QString* reason)
{
    QString nonScritte;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        if (riquadri.sconosciuta[i] || riquadri.invariata[i])
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

FotoInAttesa::~FotoInAttesa()
{
    // Once the note is written the record may be on the disk: the opening of the group decides.
    if (m_nota.isEmpty())
        annulla();
}

QString FotoInAttesa::prepara(const QString& programFolder, const QString& gruppo, const QString& posizione,
                              const FotoRiquadri& riquadri, const QByteArray& record, QString* reason)
{
    annulla();
    QString nonScritte;
    const bool cartella = QDir().mkpath(FotoGruppo::cartella(programFolder));
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        if (riquadri.sconosciuta[i] || riquadri.invariata[i])
            continue;
        const QString foto = FotoGruppo::fotoRiquadro(programFolder, gruppo, i, posizione);
        const QImage ridotta = RidimensionaFoto(riquadri.foto[i]);
        QFile file(fotoNuova(foto));
        QString perche;
        // Encoded by the photo's own extension; synced, so that the note never names a photo that a
        // power cut could lose.
        // What stands where the photo goes and is no file could never be replaced.
        const QFileInfo posto(foto);
        if (posto.exists() && !posto.isFile())
            perche = FileErrorText::italian(QStringLiteral("Is a directory"));
        bool scritta = perche.isEmpty() && cartella &&
                       file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                       PhotoFiles::encode(ridotta, file, foto, &perche) && FileLock::sync(file);
        if (scritta) {
            file.close();
            scritta = file.error() == QFileDevice::NoError;
        }
        if (scritta) {
            m_scritte.append({i, foto, ridotta});
            continue;
        }
        if (perche.isEmpty())
            perche = FileErrorText::italian(file.errorString());
        file.close();
        QFile::remove(file.fileName());
        if (reason && nonScritte.isEmpty())
            *reason = perche;
        nonScritte += TSchedaGruppo::lettera(i);
    }
    if (nonScritte.isEmpty() && !m_scritte.isEmpty()) {
        QByteArray nota = QByteArray(kNotaFotoIntestazione) + '\n' + improntaPagina(record) + '\n';
        for (const Scritta& scritta : std::as_const(m_scritte))
            nota += char(TSchedaGruppo::lettera(scritta.riquadro).toLatin1());
        nota += '\n';
        const QString percorso = notaFotoInAttesa(programFolder, gruppo, posizione);
        QString perche;
        if (SafeSave::writeFile(percorso, nota, &perche)) {
            m_nota = percorso;
        } else {
            if (reason)
                *reason = perche;
            for (const Scritta& scritta : std::as_const(m_scritte))
                nonScritte += TSchedaGruppo::lettera(scritta.riquadro);
        }
    }
    if (!nonScritte.isEmpty())
        annulla();
    return nonScritte;
}

QString FotoInAttesa::metti(FotoRiquadri& riquadri, QString* reason)
{
    QString nonMesse;
    int messe = 0;
    for (const Scritta& scritta : std::as_const(m_scritte)) {
        QString perche;
        if (sostituisciFile(fotoNuova(scritta.foto), scritta.foto, &perche)) {
            riquadri.foto[scritta.riquadro] = scritta.ridotta;
        } else {
            QFile::remove(fotoNuova(scritta.foto));
            if (reason && nonMesse.isEmpty())
                *reason = perche;
            nonMesse += TSchedaGruppo::lettera(scritta.riquadro);
        }
        if (dopoOgniFoto)
            dopoOgniFoto(++messe);
    }
    m_scritte.clear();
    if (!m_nota.isEmpty())
        QFile::remove(m_nota);
    m_nota.clear();
    return nonMesse;
}

void FotoInAttesa::annulla()
{
    for (const Scritta& scritta : std::as_const(m_scritte))
        QFile::remove(fotoNuova(scritta.foto));
    m_scritte.clear();
    if (!m_nota.isEmpty())
        QFile::remove(m_nota);
    m_nota.clear();
}

FotoDellaPagina::FotoDellaPagina(QString programFolder, QString archivio, QString gruppo,
                                 FotoRiquadri& riquadri, QByteArray record, int posizioneCaricata)
    : m_cartella(std::move(programFolder))
    , m_archivio(std::move(archivio))
    , m_gruppo(std::move(gruppo))
    , m_riquadri(riquadri)
    , m_record(std::move(record))
    , m_posizioneCaricata(posizioneCaricata)
{
}

bool FotoDellaPagina::prima(int posizione)
{
    // Another position, or another workstation's version overwritten: no stored file is known.
    FotoRiquadri daScrivere = m_riquadri;
    if (posizione != m_posizioneCaricata || m_altra)
        daScrivere.invariata.fill(false);
    m_nonPreparate =
        m_attesa.prepara(m_cartella, m_gruppo, QString::number(posizione), daScrivere, m_record, &m_perche);
    return m_nonPreparate.isEmpty();
}

void FotoDellaPagina::dopo(int)
{
    if (passo)
        passo(0);
    m_attesa.dopoOgniFoto = passo;
    m_nonMesse = m_attesa.metti(m_riquadri, &m_perche);
}

void FotoDellaPagina::riprendi()
{
    try {
        RiprendiFotoInAttesa(m_cartella, m_archivio, m_gruppo);
    } catch (const ArchiveError&) {
        // Left for the next opening of the group.
    }
}

FotoRiprese RiprendiFotoInAttesa(const QString& programFolder, const QString& archivio, const QString& gruppo)
{
    FotoRiprese esito;
    const FotoAvanzi avanzi(gruppo);
    const auto daRiprendere = [&avanzi](const QString& file) {
        return avanzi.nota.match(file).hasMatch() || avanzi.avanzo.match(file).hasMatch();
    };
    // Older versions named the photos of " Gita" after "Gita": they are this group's while no
    // group "Gita" exists.
    const QString corto = TextRules::trim(gruppo);
    const bool adotta =
        corto != gruppo && !corto.isEmpty() &&
        !QFileInfo::exists(QFileInfo(archivio).path() + QLatin1Char('/') + corto + QStringLiteral(".fvg"));
    const QStringList prima = fileDellaCartella(programFolder);
    if (!adotta && std::none_of(prima.begin(), prima.end(), daRiprendere))
        return esito;

    TArchivioSchede pagine;
    pagine.ApriOCrea(archivio, TSchedaGruppo::kSize);
    const int numero = pagine.NumeroSchede();
    for (const QString& file : fileDellaCartella(programFolder)) {
        const QRegularExpressionMatch nota = avanzi.nota.match(file);
        if (!nota.hasMatch())
            continue;
        const int p = nota.captured(1).toInt();
        const QString posizione = QString::number(p);
        const QString percorso = FotoGruppo::cartella(programFolder) + QLatin1Char('/') + file;
        QFile testo(percorso);
        const QList<QByteArray> righe =
            testo.open(QIODevice::ReadOnly) ? testo.read(1024).split('\n') : QList<QByteArray>();
        testo.close();
        bool scritta = false;
        if (righe.size() >= 3 && righe[0] == kNotaFotoIntestazione && p >= 1 && p <= numero) {
            QByteArray record;
            pagine.Posiziona(p - 1);
            pagine.LeggiScheda(record);
            scritta = improntaPagina(record) == righe[1];
        }
        for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
            const QString foto = FotoGruppo::fotoRiquadro(programFolder, gruppo, i, posizione);
            if (!QFileInfo::exists(fotoNuova(foto)))
                continue;
            if (!scritta || !righe[2].contains(TSchedaGruppo::lettera(i).toLatin1()) ||
                !sostituisciFile(fotoNuova(foto), foto, nullptr))
                QFile::remove(fotoNuova(foto));
        }
        QFile::remove(percorso);
        ++(scritta ? esito.finite : esito.annullate);
    }
    // What no note names is what a save stopped before its note left.
    for (const QString& file : fileDellaCartella(programFolder)) {
        if (avanzi.avanzo.match(file).hasMatch() &&
            QFile::remove(FotoGruppo::cartella(programFolder) + QLatin1Char('/') + file))
            ++esito.rimossi;
    }
    if (adotta) {
        for (int p = 1; p <= numero; ++p) {
            for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
                const QString propria =
                    FotoGruppo::fotoRiquadro(programFolder, gruppo, i, QString::number(p));
                const QString vecchia = FotoGruppo::fotoRiquadro(programFolder, corto, i, QString::number(p));
                if (QFileInfo::exists(vecchia) && !QFileInfo::exists(propria))
                    QFile::rename(vecchia, propria);
            }
        }
    }
    pagine.ChiudiArchivio();
    return esito;
}

int EliminaFotoGruppo(const QString& programFolder, const QString& gruppo, int pagine)
{
    // <gruppo>_Foto_<A-H>_<page>.jpg of its pages and <gruppo>_Anteprima_<A-H>.jpg, and nothing of a
    // group whose name merely begins the same way or differs by blanks.
    const QString nome = QRegularExpression::escape(gruppo);
    const QRegularExpression foto(QStringLiteral("\\A%1_Foto_[A-H]_([1-9][0-9]{0,9})\\.jpg\\z").arg(nome));
    const QRegularExpression anteprima(QStringLiteral("\\A%1_Anteprima_[A-H]\\.jpg\\z").arg(nome));
    const FotoAvanzi avanzi(gruppo);
    QDir cartella(FotoGruppo::cartella(programFolder));
    int eliminate = 0;
    for (const QString& file : fileDellaCartella(programFolder)) {
        const QRegularExpressionMatch pagina = foto.match(file);
        const bool propria = (pagina.hasMatch() && pagina.captured(1).toLongLong() <= pagine) ||
                             anteprima.match(file).hasMatch();
        if (propria) {
            if (cartella.remove(file))
                ++eliminate;
        } else if (avanzi.nota.match(file).hasMatch() || avanzi.avanzo.match(file).hasMatch()) {
            cartella.remove(file);
        }
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
        riquadri.invariata[i] = !picture.isNull();
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
