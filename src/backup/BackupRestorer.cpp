#include "backup/BackupRestorer.h"

#include "backup/BackupCheckLog.h"
#include "backup/BackupContent.h"
#include "backup/BackupVerifier.h"
#include "backup/HashPipe.h"
#include "backup/ZipEntries.h"

#include "storage/FileErrorText.h"
#include "storage/SafeSave.h"

#include <quazip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>

namespace {

using BackupRestorer::Esito;

const QString kAppoggio = QStringLiteral(".folvara_ripristino");

QString fallimento(const QString& motivo)
{
    return QStringLiteral("Attenzione: il ripristino non è stato completato: %1.").arg(motivo);
}

// The path of a manifest entry inside the folder; empty when it would lie outside it.
QString dentro(const QDir& cartella, const QString& relativo)
{
    if (!BackupManifest::percorsoSicuro(relativo))
        return {};
    const QString base = QDir::cleanPath(cartella.absolutePath()) + QLatin1Char('/');
    const QString path = QDir::cleanPath(cartella.absoluteFilePath(relativo));
    return path.startsWith(base) ? path : QString();
}

// " (reason)" in Italian from a file's error.
QString motivoDi(const QFileDevice& file)
{
    return FileErrorText::inParentheses(file.errorString());
}

// The outermost folder of the path that does not exist yet; "" when the path exists.
QString primaMancante(const QString& path)
{
    QFileInfo info(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    QString mancante;
    while (!info.exists()) {
        mancante = info.absoluteFilePath();
        const QString sopra = info.absolutePath();
        if (sopra == mancante)
            break;
        info = QFileInfo(sopra);
    }
    return mancante;
}

QByteArray hashDi(const QString& path, qint64& dimensione, PieceBuffers& buffers, HashPipe& hash,
                  ProgressCounter& contatore)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    dimensione = 0;
    for (;;) {
        QByteArray& pezzo = buffers.next();
        const qint64 letti = file.read(pezzo.data(), pezzo.size());
        if (letti < 0)
            return {};
        if (letti == 0)
            return hash.hex();
        hash.add(QByteArrayView(pezzo.constData(), letti));
        dimensione += letti;
        if (!contatore.avanza(letti))
            return {};
    }
}

Esito esito(Esito::Stato stato, const QString& messaggio = QString())
{
    Esito risultato;
    risultato.stato = stato;
    risultato.messaggio = messaggio;
    return risultato;
}

// Unpacks every entry of the manifest into the staging folder, checking each as it is written.
// danno: why a file of the backup itself was found damaged, when it was.
Esito spacchetta(const QString& zipPath, const BackupManifest& manifest, const QDir& appoggio,
                 ProgressCounter& contatore, QString& danno)
{
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdUnzip))
        return esito(Esito::Stato::Fallito, fallimento(QStringLiteral("il backup non è leggibile")));
    PieceBuffers buffers;
    HashPipe hash;
    QString errore;
    QSet<QString> scritte;
    ZipEntries::perOgniVoce(zip, manifest, [&](const BackupManifest::Voce& voce) {
        const QString& nome = voce.percorso;
        const QString path = dentro(appoggio, nome);
        if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath())) {
            errore = QStringLiteral("non si può creare la cartella del file %1").arg(nome);
            return false;
        }
        // Unbuffered, whole pieces: a write that fails says why at once.
        QSaveFile out(path);
        qint64 scritti = 0;
        QString lettura;
        const bool letto = out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                           ZipEntries::leggiCorrente(
                               zip, buffers,
                               [&](QByteArrayView pezzo) {
                                   hash.add(pezzo);
                                   scritti += pezzo.size();
                                   return ZipEntries::scriviTutto(out, pezzo.data(), pezzo.size()) &&
                                          contatore.avanza(pezzo.size());
                               },
                               lettura);
        if (contatore.annullato())
            return false;
        QString motivo;
        if (!letto && lettura.isEmpty()) {
            errore = QStringLiteral("non si può scrivere il file %1%2").arg(nome, motivoDi(out));
        } else if (!letto) {
            errore = QStringLiteral("il file %1 nel backup è rovinato (%2)").arg(nome, lettura);
            danno = errore;
        } else if (scritti != voce.dimensione || hash.hex() != voce.sha256) {
            errore = QStringLiteral("il file %1 nel backup non corrisponde al manifesto").arg(nome);
            danno = errore;
        } else if (!SafeSave::commit(out, &motivo)) {
            errore = QStringLiteral("non si può scrivere il file %1 (%2)").arg(nome, motivo);
        }
        scritte.insert(nome);
        return errore.isEmpty();
    });
    if (contatore.annullato())
        return esito(Esito::Stato::Annullato);
    if (!errore.isEmpty())
        return esito(Esito::Stato::Fallito, fallimento(errore));
    if (scritte.size() != manifest.voci.size())
        return esito(Esito::Stato::Fallito, fallimento(QStringLiteral("manca un file nel backup")));
    return esito(Esito::Stato::Fatto);
}

// Moves the unpacked files into place, over the files of the same name.
QString sposta(const BackupManifest& manifest, const QDir& appoggio, const QDir& cartella)
{
    for (const BackupManifest::Voce& voce : manifest.voci) {
        const QString da = dentro(appoggio, voce.percorso);
        const QString a = dentro(cartella, voce.percorso);
        if (!QDir().mkpath(QFileInfo(a).absolutePath()))
            return QStringLiteral("non si può creare la cartella del file %1").arg(voce.percorso);
        QFile vecchio(a);
        if (vecchio.exists() && !vecchio.remove())
            return QStringLiteral("non si può sostituire il file %1%2").arg(voce.percorso, motivoDi(vecchio));
        QFile nuovo(da);
        if (!nuovo.rename(a))
            return QStringLiteral("non si può spostare il file %1%2").arg(voce.percorso, motivoDi(nuovo));
    }
    return {};
}

// The staging folder goes in every case; the target folder too when this restore created it and
// did not complete.
class Pulizia {
public:
    Pulizia(const QString& creata, const QDir& appoggio)
        : m_creata(creata)
        , m_appoggio(appoggio)
    {
    }
    ~Pulizia()
    {
        m_appoggio.removeRecursively();
        if (!m_tieni && !m_creata.isEmpty())
            QDir(m_creata).removeRecursively();
    }
    Pulizia(const Pulizia&) = delete;
    Pulizia& operator=(const Pulizia&) = delete;

    // The files are in place: the folder stays whatever the final check says.
    void tieni() { m_tieni = true; }

private:
    QString m_creata;
    QDir m_appoggio;
    bool m_tieni = false;
};

} // namespace

QString BackupRestorer::cartellaPredefinita(const QString& cartellaProgramma, const QDateTime& quando)
{
    QDir sopra(cartellaProgramma);
    sopra.cdUp();
    return sopra.filePath(QStringLiteral("Folvara_ripristino_") +
                          quando.toString(QStringLiteral("yyyy-MM-dd_HHmmss")));
}

Esito BackupRestorer::ripristina(const QString& zipPath, const QString& cartellaPath,
                                 const BackupProgress& progress)
{
    // The zip's directory must agree with its manifest before anything is written.
    const BackupVerifier::Esito verifica =
        BackupVerifier::verifica(zipPath, BackupVerifier::Controllo::Indice);
    if (verifica.stato == BackupVerifier::Stato::PiuRecente)
        return esito(
            Esito::Stato::Fallito,
            QStringLiteral("Attenzione: il backup è stato fatto con una versione più recente di "
                           "Folvara e questa versione non può ripristinarlo.\r\n\r\nIl ripristino non "
                           "è stato eseguito: aggiornare il programma e riprovare."));
    if (verifica.stato != BackupVerifier::Stato::Integro)
        return esito(
            Esito::Stato::Fallito,
            QStringLiteral("Attenzione: il backup è %1: %2.\r\n\r\nIl ripristino non è stato eseguito.")
                .arg(BackupVerifier::nomeStato(verifica.stato), verifica.motivo));

    // Only the program's own data files; anything else in a backup was not put there by it.
    BackupManifest manifest;
    manifest.creato = verifica.manifest.creato;
    QStringList rifiutati;
    qint64 byte = 0;
    for (const BackupManifest::Voce& voce : verifica.manifest.voci) {
        if (BackupContent::delProgramma(voce.percorso)) {
            manifest.voci.append(voce);
            byte += voce.dimensione;
        } else {
            rifiutati.append(voce.percorso);
        }
    }
    if (manifest.voci.isEmpty() && !rifiutati.isEmpty())
        return esito(Esito::Stato::Fallito,
                     QStringLiteral("Attenzione: il backup non contiene alcun file dei dati di Folvara: il "
                                    "ripristino non è stato eseguito.\r\n\r\nFile rifiutati: %1")
                         .arg(rifiutati.join(QStringLiteral(", "))));

    const QString creata = primaMancante(cartellaPath);
    const QDir cartella(cartellaPath);
    QDir appoggio(cartella.filePath(kAppoggio));
    Pulizia pulizia(creata, appoggio);
    if (!QDir().mkpath(cartellaPath))
        return esito(Esito::Stato::Fallito, fallimento(QStringLiteral("non si può creare la cartella %1")
                                                           .arg(QDir::toNativeSeparators(cartellaPath))));
    appoggio.removeRecursively();
    if (!QDir().mkpath(appoggio.absolutePath()))
        return esito(Esito::Stato::Fallito, fallimento(QStringLiteral("non si può scrivere nella cartella %1")
                                                           .arg(QDir::toNativeSeparators(cartellaPath))));

    ProgressCounter contatore(progress, 2 * byte);
    QString danno;
    const Esito spacchettato = spacchetta(zipPath, manifest, appoggio, contatore, danno);
    // The list shows it damaged from now on, as a "Verifica" would have.
    if (!danno.isEmpty())
        BackupCheckLog::annota(zipPath, BackupVerifier::Stato::Danneggiato, danno);
    if (spacchettato.stato != Esito::Stato::Fatto)
        return spacchettato;
    const QString spostamento = sposta(manifest, appoggio, cartella);
    if (!spostamento.isEmpty())
        return esito(Esito::Stato::Fallito, fallimento(spostamento));
    pulizia.tieni();

    // Files of the kinds a backup holds that were not saved would be taken for part of it.
    QSet<QString> salvati;
    for (const BackupManifest::Voce& voce : manifest.voci)
        salvati.insert(voce.percorso);
    for (const BackupContent::File& file : BackupContent::elenco(cartella.absolutePath())) {
        if (!salvati.contains(file.relativo))
            QFile::remove(cartella.filePath(file.relativo));
    }

    PieceBuffers buffers;
    HashPipe pipe;
    for (const BackupManifest::Voce& voce : manifest.voci) {
        qint64 dimensione = -1;
        const QByteArray hash = hashDi(dentro(cartella, voce.percorso), dimensione, buffers, pipe, contatore);
        if (contatore.annullato())
            return esito(
                Esito::Stato::Annullato,
                QStringLiteral("Attenzione: i file sono stati ripristinati, ma il controllo finale è "
                               "stato interrotto."));
        if (hash != voce.sha256 || dimensione != voce.dimensione)
            return esito(
                Esito::Stato::Fallito,
                fallimento(
                    QStringLiteral("il file ripristinato %1 non corrisponde al backup").arg(voce.percorso)));
    }
    Esito fatto = esito(Esito::Stato::Fatto);
    fatto.numeroFile = int(manifest.voci.size());
    fatto.rifiutati = rifiutati;
    return fatto;
}
