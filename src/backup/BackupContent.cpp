#include "backup/BackupContent.h"

#include "backup/HashPipe.h"

#include "groups/GroupFiles.h"
#include "privacy/ConsentFormText.h"
#include "privacy/ConsentStore.h"
#include "storage/ArchiveError.h"
#include "storage/FileErrorText.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// Records copied under one hold of the lock: a few milliseconds of work.
constexpr int kSchedePerPezzo = 1024;

const QString kArchivio = QStringLiteral("Archivio_Anagrafico.fvd");
const QString kPassword = QStringLiteral("unins000.dll");

QString nomeDi(const QString& relativo)
{
    return QFileInfo(relativo).fileName();
}

BackupError letturaFallita(const QString& relativo, const QString& motivo)
{
    return BackupError(QStringLiteral("Attenzione: non è possibile leggere il file %1 (%2).")
                           .arg(QDir::toNativeSeparators(relativo), motivo));
}

qint64 leggiFile(const QString& path, const QString& relativo, PieceBuffers& buffers,
                 const std::function<void(QByteArrayView)>& sink)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw letturaFallita(relativo, FileErrorText::italian(file.errorString()));
    qint64 totale = 0;
    for (;;) {
        QByteArray& pezzo = buffers.next();
        const qint64 letti = file.read(pezzo.data(), pezzo.size());
        if (letti < 0)
            throw letturaFallita(relativo, FileErrorText::italian(file.errorString()));
        if (letti == 0)
            return totale;
        sink(QByteArrayView(pezzo.constData(), letti));
        totale += letti;
    }
}

qint64 leggiArchivio(const QString& path, const QString& relativo, int dimensione, PieceBuffers& buffers,
                     const std::function<void(QByteArrayView)>& sink)
{
    // The store opens archives for writing; one nobody may write cannot change under the copy.
    if (!QFileInfo(path).isWritable())
        return leggiFile(path, relativo, buffers, sink);
    try {
        TArchivioSchede archivio;
        archivio.ApriOCrea(path, dimensione);
        const int schede = archivio.NumeroSchede();
        archivio.ChiudiArchivio();
        QByteArray scheda;
        for (int prima = 0; prima < schede; prima += kSchedePerPezzo) {
            const int quante = std::min(kSchedePerPezzo, schede - prima);
            QByteArray& pezzo = buffers.next();
            pezzo.resize(qsizetype(quante) * dimensione);
            archivio.ApriOCrea(path, dimensione);
            archivio.Posiziona(prima);
            for (int i = 0; i < quante; ++i) {
                archivio.LeggiScheda(scheda);
                std::copy(scheda.cbegin(), scheda.cend(), pezzo.begin() + qsizetype(i) * dimensione);
            }
            archivio.ChiudiArchivio();
            sink(pezzo);
        }
        return qint64(schede) * dimensione;
    } catch (const ArchiveError&) {
        throw BackupError(QStringLiteral("Attenzione: non è possibile leggere l'archivio %1: potrebbe essere "
                                         "in uso da un'altra postazione.\r\n\r\nRiprovare fra qualche "
                                         "istante.")
                              .arg(nomeDi(relativo)));
    }
}

} // namespace

QStringList BackupContent::sottocartelle()
{
    return {QStringLiteral("Anagrafica"), QStringLiteral("Foto_Gruppo"),
            QStringLiteral("Documenti_Allegati")};
}

bool BackupContent::delProgramma(const QString& relativo)
{
    const QStringList parti = relativo.split(QLatin1Char('/'));
    if (parti.size() > 1)
        return sottocartelle().contains(parti.first()) && !parti.last().isEmpty();
    const QString& nome = parti.first();
    if (nome == kArchivio || nome == kPassword || nome == ConsentStore::fileName() ||
        nome == ConsentFormText::fileName())
        return true;
    // The same name filters elenco() lists the folder with.
    return QDir::match({QStringLiteral("*.fvg"), QStringLiteral("*.ini")}, nome);
}

QList<BackupContent::File> BackupContent::elenco(const QString& cartella)
{
    const QDir dir(cartella);
    QList<File> files;
    if (QFileInfo(dir.filePath(kArchivio)).isFile())
        files.append({kArchivio, TSchedaAnagrafica::kSize});
    for (const QString& gruppo : GroupFiles::list(dir.absolutePath() + QLatin1Char('/')))
        files.append({gruppo, GroupFiles::kRecordSize});
    if (QFileInfo(dir.filePath(kPassword)).isFile())
        files.append({kPassword, 0});
    QStringList impostazioni =
        dir.entryList({QStringLiteral("*.ini")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& ini : impostazioni)
        files.append({ini, 0});
    // The consents and the form's text, whole files written whole.
    for (const QString& testo : {ConsentStore::fileName(), ConsentFormText::fileName()}) {
        if (QFileInfo(dir.filePath(testo)).isFile())
            files.append({testo, 0});
    }
    for (const QString& sotto : sottocartelle()) {
        QStringList trovati;
        QDirIterator it(dir.filePath(sotto), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            trovati.append(dir.relativeFilePath(it.next()));
        trovati.sort();
        for (const QString& relativo : trovati)
            files.append({relativo, 0});
    }
    return files;
}

qint64 BackupContent::leggi(const QString& cartella, const File& file, PieceBuffers& buffers,
                            const std::function<void(QByteArrayView)>& sink)
{
    const QString path = QDir(cartella).filePath(file.relativo);
    if (file.dimensioneScheda > 0)
        return leggiArchivio(path, file.relativo, file.dimensioneScheda, buffers, sink);
    return leggiFile(path, file.relativo, buffers, sink);
}
