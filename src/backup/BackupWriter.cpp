#include "backup/BackupWriter.h"

#include "backup/BackupContent.h"
#include "backup/BackupFolder.h"
#include "backup/BackupManifest.h"
#include "backup/BackupVerifier.h"
#include "backup/HashPipe.h"
#include "backup/ZipEntries.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

using Esito = BackupWriter::Esito;

QString nativo(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

BackupError scritturaFallita(const QString& motivo)
{
    return BackupError(QStringLiteral("Attenzione: il backup non è stato completato: %1.\r\n\r\n"
                                      "I backup precedenti non sono stati toccati e nella cartella non è "
                                      "rimasto alcun file incompleto.")
                           .arg(motivo));
}

QString motivoScrittura(const QFileDevice& file)
{
    return file.errorString().isEmpty() ? QStringLiteral("errore di scrittura")
                                        : QStringLiteral("errore di scrittura (%1)").arg(file.errorString());
}

// True when path lies inside folder or is folder itself.
bool dentro(const QString& path, const QString& folder)
{
    const QString a = QDir::cleanPath(QFileInfo(path).absoluteFilePath()) + QLatin1Char('/');
    const QString b = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + QLatin1Char('/');
    return a.startsWith(b, Qt::CaseInsensitive);
}

qint64 totaleDi(const QString& cartella, const QList<BackupContent::File>& files)
{
    qint64 totale = 0;
    for (const BackupContent::File& file : files)
        totale += QFileInfo(QDir(cartella).filePath(file.relativo)).size();
    return totale;
}

} // namespace

BackupWriter::BackupWriter(const QString& cartellaProgramma, const QString& cartellaBackup)
    : m_programma(cartellaProgramma)
    , m_cartella(cartellaBackup)
{
}

QString BackupWriter::problemaCartella(const QString& cartellaProgramma, const QString& cartellaBackup)
{
    const QFileInfo info(cartellaBackup);
    if (cartellaBackup.trimmed().isEmpty() || !info.isDir())
        return QStringLiteral("Attenzione: la cartella dei backup non esiste:\r\n%1\r\n\r\n"
                              "Collegare il disco o la chiavetta, oppure scegliere un'altra cartella.")
            .arg(nativo(cartellaBackup));
    for (const QString& sotto : BackupContent::sottocartelle()) {
        if (dentro(cartellaBackup, QDir(cartellaProgramma).filePath(sotto)))
            return QStringLiteral("Attenzione: la cartella dei backup non può stare dentro la cartella %1 "
                                  "del programma.\r\n\r\nScegliere un'altra cartella.")
                .arg(sotto);
    }
    return {};
}

Esito BackupWriter::esegui(const QDateTime& quando, const BackupProgress& progress)
{
    Esito esito;
    esito.messaggio = problemaCartella(m_programma, m_cartella);
    if (!esito.messaggio.isEmpty())
        return esito;

    const QDir cartella(m_cartella);
    const QString nome = BackupFolder::nomeLibero(m_cartella, quando);
    const QString parziale = cartella.filePath(nome + BackupFolder::suffissoParziale());
    const QList<BackupContent::File> files = BackupContent::elenco(m_programma);
    // Writing, then reading back: two passes over the data.
    const qint64 totale = totaleDi(m_programma, files);
    ProgressCounter contatore(progress, 2 * totale);
    try {
        QSaveFile out(parziale);
        if (!out.open(QIODevice::WriteOnly))
            throw BackupError(QStringLiteral("Attenzione: non è possibile scrivere nella cartella dei backup:"
                                             "\r\n%1\r\n\r\n(%2)\r\n\r\nScegliere un'altra cartella.")
                                  .arg(nativo(m_cartella), out.errorString()));
        BackupManifest manifest;
        manifest.creato = quando;
        {
            QuaZip zip(&out);
            zip.setAutoClose(false);
            zip.setZip64Enabled(true);
            zip.setUtf8Enabled(true);
            if (!zip.open(QuaZip::mdCreate))
                throw scritturaFallita(motivoScrittura(out));
            PieceBuffers buffers;
            HashPipe hash;
            for (const BackupContent::File& file : files) {
                QuaZipFile voce(&zip);
                const QuaZipNewInfo info(file.relativo, QDir(m_programma).filePath(file.relativo));
                const int livello = ZipEntries::livello(file.relativo);
                if (!voce.open(QIODevice::WriteOnly, info, nullptr, 0, livello == 0 ? 0 : Z_DEFLATED,
                               livello))
                    throw scritturaFallita(motivoScrittura(out));
                bool scritto = true;
                const qint64 letti =
                    BackupContent::leggi(m_programma, file, buffers, [&](QByteArrayView pezzo) {
                        hash.add(pezzo);
                        scritto = scritto && voce.write(pezzo.data(), pezzo.size()) == pezzo.size() &&
                                  out.error() == QFileDevice::NoError;
                        if (!scritto)
                            throw scritturaFallita(motivoScrittura(out));
                        if (!contatore.avanza(pezzo.size()))
                            throw BackupError(QString());
                    });
                voce.close();
                if (voce.getZipError() != ZIP_OK || out.error() != QFileDevice::NoError)
                    throw scritturaFallita(motivoScrittura(out));
                manifest.voci.append({file.relativo, letti, hash.hex()});
                esito.byte += letti;
            }
            QuaZipFile voce(&zip);
            const QByteArray json = manifest.json();
            if (!voce.open(QIODevice::WriteOnly, QuaZipNewInfo(QString::fromLatin1(BackupManifest::kNome)),
                           nullptr, 0, Z_DEFLATED, 6) ||
                voce.write(json) != json.size())
                throw scritturaFallita(motivoScrittura(out));
            voce.close();
            zip.close();
            if (voce.getZipError() != ZIP_OK || zip.getZipError() != ZIP_OK)
                throw scritturaFallita(motivoScrittura(out));
        }
        if (!out.commit())
            throw scritturaFallita(motivoScrittura(out));
    } catch (const BackupError& errore) {
        QFile::remove(parziale);
        esito.stato = contatore.annullato() ? Esito::Stato::Annullato : Esito::Stato::Fallito;
        esito.messaggio = errore.messaggio();
        return esito;
    }

    qint64 verificati = 0;
    const BackupVerifier::Esito verifica =
        BackupVerifier::verifica(parziale, BackupVerifier::Controllo::Crc, [&](qint64 fatti, qint64) {
            const bool avanti = contatore.avanza(fatti - verificati);
            verificati = fatti;
            return avanti;
        });
    if (verifica.stato == BackupVerifier::Stato::Annullato) {
        QFile::remove(parziale);
        esito.stato = Esito::Stato::Annullato;
        return esito;
    }
    if (verifica.stato != BackupVerifier::Stato::Integro) {
        QFile::remove(parziale);
        esito.stato = Esito::Stato::Fallito;
        esito.messaggio = QStringLiteral("Attenzione: il backup appena scritto non ha superato la verifica "
                                         "(%1) ed è stato eliminato.\r\n\r\nI backup precedenti non sono "
                                         "stati toccati.")
                              .arg(verifica.motivo);
        return esito;
    }
    const QString finale = cartella.filePath(nome);
    if (!QFile::rename(parziale, finale)) {
        QFile::remove(parziale);
        esito.stato = Esito::Stato::Fallito;
        esito.messaggio = scritturaFallita(QStringLiteral("il file non può essere rinominato")).messaggio();
        return esito;
    }
    esito.stato = Esito::Stato::Fatto;
    esito.file = finale;
    esito.numeroFile = int(files.size());
    if (m_conserva > 0)
        esito.eliminati = BackupFolder::ruota(m_cartella, m_conserva, nome);
    return esito;
}
