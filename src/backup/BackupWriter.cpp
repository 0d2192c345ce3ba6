#include "backup/BackupWriter.h"

#include "backup/BackupCheckLog.h"
#include "backup/BackupContent.h"
#include "backup/BackupFolder.h"
#include "backup/BackupManifest.h"
#include "backup/BackupVerifier.h"
#include "backup/HashPipe.h"
#include "backup/ZipEntries.h"

#include "storage/FileErrorText.h"
#include "storage/SafeSave.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

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

// Hands every call on to the file and keeps the first error the file reported: QuaZip seeks back
// after a failed write, and a seek of a QFileDevice forgets the error.
class ErroreTenuto : public QIODevice {
public:
    explicit ErroreTenuto(QFileDevice& file)
        : m_file(file)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_file.size(); }
    bool seek(qint64 pos) override
    {
        if (!m_file.seek(pos)) {
            tieni();
            return false;
        }
        return QIODevice::seek(pos);
    }
    // The system's text of the first error, else of the file's present one; "" when none.
    QString errore() const
    {
        if (!m_errore.isEmpty())
            return m_errore;
        return m_file.error() == QFileDevice::NoError ? QString() : m_file.errorString();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 letti = m_file.read(data, maxSize);
        if (letti < 0)
            tieni();
        return letti;
    }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (ZipEntries::scriviTutto(m_file, data, size))
            return size;
        tieni();
        return -1;
    }

private:
    void tieni()
    {
        if (m_errore.isEmpty() && m_file.error() != QFileDevice::NoError)
            m_errore = m_file.errorString();
    }

    QFileDevice& m_file;
    QString m_errore;
};

QString motivoScrittura(const QString& errore)
{
    return errore.isEmpty() ? QStringLiteral("errore di scrittura")
                            : QStringLiteral("errore di scrittura (%1)").arg(FileErrorText::italian(errore));
}

// True when path lies inside folder or is folder itself.
bool dentro(const QString& path, const QString& folder)
{
    const QString a = QDir::cleanPath(QFileInfo(path).absoluteFilePath()) + QLatin1Char('/');
    const QString b = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + QLatin1Char('/');
    return a.startsWith(b, Qt::CaseInsensitive);
}

QString cartellaMancante(const QString& cartella)
{
    return QStringLiteral("Attenzione: la cartella dei backup non esiste:\r\n%1\r\n\r\n"
                          "Collegare il disco o la chiavetta, oppure scegliere un'altra cartella.")
        .arg(nativo(cartella));
}

QString cartellaNonCreata(const QString& cartella, const QString& motivo)
{
    return QStringLiteral("Attenzione: non è possibile creare la cartella dei backup:\r\n%1\r\n\r\n"
                          "(%2)\r\n\r\nScegliere un'altra cartella.")
        .arg(nativo(cartella), motivo);
}

// Why nothing can be made in the folder, as the file system says it for a file.
QString motivoCartella(const QDir& cartella)
{
    QTemporaryFile prova(cartella.filePath(QStringLiteral(".folvara_prova_XXXXXX")));
    if (!prova.open())
        return FileErrorText::italian(prova.errorString());
    return QStringLiteral("la cartella non può essere creata");
}

// "" when the folder may hold backups: named, and not inside a data folder whose files a backup holds.
QString problemaPosizione(const QString& cartellaProgramma, const QString& cartellaBackup)
{
    if (cartellaBackup.trimmed().isEmpty())
        return cartellaMancante(cartellaBackup);
    for (const QString& sotto : BackupContent::sottocartelle()) {
        if (dentro(cartellaBackup, QDir(cartellaProgramma).filePath(sotto)))
            return QStringLiteral("Attenzione: la cartella dei backup non può stare dentro la cartella %1 "
                                  "del programma.\r\n\r\nScegliere un'altra cartella.")
                .arg(sotto);
    }
    return {};
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
    const QString posizione = problemaPosizione(cartellaProgramma, cartellaBackup);
    if (!posizione.isEmpty())
        return posizione;
    if (!QFileInfo(cartellaBackup).isDir())
        return cartellaMancante(cartellaBackup);
    return {};
}

QString BackupWriter::preparaCartella(const QString& cartellaProgramma, const QString& cartellaBackup)
{
    const QString posizione = problemaPosizione(cartellaProgramma, cartellaBackup);
    if (!posizione.isEmpty())
        return posizione;
    const QFileInfo info(QDir::cleanPath(QFileInfo(cartellaBackup).absoluteFilePath()));
    if (info.isDir())
        return {};
    if (info.exists())
        return cartellaNonCreata(cartellaBackup, QStringLiteral("al suo posto c'è un file"));
    const QDir sopra = info.dir();
    if (!sopra.exists())
        return cartellaMancante(cartellaBackup);
    if (!sopra.mkdir(info.fileName()))
        return cartellaNonCreata(cartellaBackup, motivoCartella(sopra));
    return {};
}

Esito BackupWriter::esegui(const QDateTime& quando, const BackupProgress& progress)
{
    Esito esito;
    esito.messaggio = preparaCartella(m_programma, m_cartella);
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
        // Unbuffered: a write that fails says why at once, not at a later flush that cannot.
        QSaveFile out(parziale);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            throw BackupError(QStringLiteral("Attenzione: non è possibile scrivere nella cartella dei backup:"
                                             "\r\n%1\r\n\r\n(%2)\r\n\r\nScegliere un'altra cartella.")
                                  .arg(nativo(m_cartella), FileErrorText::italian(out.errorString())));
        BackupManifest manifest;
        manifest.creato = quando;
        {
            ErroreTenuto scrittura(out);
            QuaZip zip(&scrittura);
            zip.setAutoClose(false);
            zip.setZip64Enabled(true);
            zip.setUtf8Enabled(true);
            if (!zip.open(QuaZip::mdCreate))
                throw scritturaFallita(motivoScrittura(scrittura.errore()));
            PieceBuffers buffers;
            HashPipe hash;
            for (const BackupContent::File& file : files) {
                QuaZipFile voce(&zip);
                const QuaZipNewInfo info(file.relativo, QDir(m_programma).filePath(file.relativo));
                const int livello = ZipEntries::livello(file.relativo);
                if (!voce.open(QIODevice::WriteOnly, info, nullptr, 0, livello == 0 ? 0 : Z_DEFLATED,
                               livello))
                    throw scritturaFallita(motivoScrittura(scrittura.errore()));
                bool scritto = true;
                const qint64 letti =
                    BackupContent::leggi(m_programma, file, buffers, [&](QByteArrayView pezzo) {
                        hash.add(pezzo);
                        scritto = scritto && voce.write(pezzo.data(), pezzo.size()) == pezzo.size() &&
                                  scrittura.errore().isEmpty();
                        if (!scritto)
                            throw scritturaFallita(motivoScrittura(scrittura.errore()));
                        if (!contatore.avanza(pezzo.size()))
                            throw BackupError(QString());
                    });
                voce.close();
                if (voce.getZipError() != ZIP_OK || !scrittura.errore().isEmpty())
                    throw scritturaFallita(motivoScrittura(scrittura.errore()));
                manifest.voci.append({file.relativo, letti, hash.hex()});
                esito.byte += letti;
            }
            QuaZipFile voce(&zip);
            const QByteArray json = manifest.json();
            if (!voce.open(QIODevice::WriteOnly, QuaZipNewInfo(QString::fromLatin1(BackupManifest::kNome)),
                           nullptr, 0, Z_DEFLATED, 6) ||
                voce.write(json) != json.size())
                throw scritturaFallita(motivoScrittura(scrittura.errore()));
            voce.close();
            zip.close();
            if (voce.getZipError() != ZIP_OK || zip.getZipError() != ZIP_OK || !scrittura.errore().isEmpty())
                throw scritturaFallita(motivoScrittura(scrittura.errore()));
        }
        QString motivo;
        if (!SafeSave::commit(out, &motivo))
            throw scritturaFallita(motivo.isEmpty() ? motivoScrittura(QString())
                                                    : QStringLiteral("errore di scrittura (%1)").arg(motivo));
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
    // Read back whole just now: the list shows it checked. A log that cannot be written leaves it
    // "non verificato", nothing worse.
    BackupCheckLog::annota(finale, BackupVerifier::Stato::Integro, QString());
    return esito;
}
