#include "backup/BackupVerifier.h"

#include "backup/HashPipe.h"
#include "backup/ZipEntries.h"

#include <quazip.h>
#include <quazipfileinfo.h>

#include <QHash>

namespace {

using BackupVerifier::Esito;
using BackupVerifier::Stato;

Esito fallito(Stato stato, const QString& motivo, const QString& file = QString())
{
    Esito esito;
    esito.stato = stato;
    esito.motivo = motivo;
    esito.file = file;
    return esito;
}

BackupManifest::Lettura leggiManifest(QuaZip& zip, BackupManifest& manifest, QString& errore)
{
    if (!zip.setCurrentFile(QString::fromLatin1(BackupManifest::kNome), QuaZip::csSensitive)) {
        errore = QStringLiteral("il file non contiene il manifesto di un backup di Folvara");
        return BackupManifest::Lettura::Illeggibile;
    }
    QByteArray json;
    QString letto;
    PieceBuffers buffers(64 * 1024);
    const bool ok = ZipEntries::leggiCorrente(
        zip, buffers,
        [&](QByteArrayView pezzo) {
            json.append(pezzo);
            return json.size() < (64 << 20);
        },
        letto);
    if (!ok) {
        errore = QStringLiteral("il manifesto non è leggibile");
        return BackupManifest::Lettura::Illeggibile;
    }
    return BackupManifest::leggi(json, manifest, errore);
}

} // namespace

QString BackupVerifier::nomeStato(Stato stato)
{
    switch (stato) {
    case Stato::Integro:
        return QStringLiteral("integro");
    case Stato::Danneggiato:
        return QStringLiteral("danneggiato");
    case Stato::Incompleto:
        return QStringLiteral("incompleto");
    case Stato::Annullato:
    case Stato::NonVerificato:
        return QStringLiteral("non verificato");
    case Stato::PiuRecente:
        return QStringLiteral("fatto con una versione più recente");
    }
    return {};
}

Esito BackupVerifier::verifica(const QString& zipPath, Controllo controllo, const BackupProgress& progress)
{
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdUnzip))
        return fallito(Stato::Danneggiato,
                       QStringLiteral("non è un file zip leggibile (troncato o rovinato)"));
    BackupManifest manifest;
    QString errore;
    switch (leggiManifest(zip, manifest, errore)) {
    case BackupManifest::Lettura::Letto:
        break;
    case BackupManifest::Lettura::PiuRecente:
        return fallito(Stato::PiuRecente, errore);
    case BackupManifest::Lettura::Illeggibile:
        return fallito(Stato::Danneggiato, errore);
    }

    // The zip's directory against the manifest: the same names, the same sizes, nothing more.
    QHash<QString, qint64> dimensioni;
    for (const QuaZipFileInfo64& info : zip.getFileInfoList64())
        dimensioni.insert(info.name, qint64(info.uncompressedSize));
    if (zip.getZipError() != UNZ_OK)
        return fallito(Stato::Danneggiato, QStringLiteral("l'indice del file zip non è leggibile"));
    QHash<QString, const BackupManifest::Voce*> attese;
    qint64 totale = 0;
    for (const BackupManifest::Voce& voce : manifest.voci) {
        if (attese.contains(voce.percorso))
            return fallito(Stato::Danneggiato, QStringLiteral("il manifesto elenca due volte un file"),
                           voce.percorso);
        attese.insert(voce.percorso, &voce);
        totale += voce.dimensione;
        if (!dimensioni.contains(voce.percorso))
            return fallito(Stato::Incompleto, QStringLiteral("manca il file %1").arg(voce.percorso),
                           voce.percorso);
        if (dimensioni.value(voce.percorso) != voce.dimensione)
            return fallito(
                Stato::Danneggiato,
                QStringLiteral("il file %1 non ha la dimensione indicata nel manifesto").arg(voce.percorso),
                voce.percorso);
    }
    for (auto it = dimensioni.cbegin(); it != dimensioni.cend(); ++it) {
        if (it.key() != QLatin1String(BackupManifest::kNome) && !attese.contains(it.key()))
            return fallito(Stato::Danneggiato,
                           QStringLiteral("il file %1 non è elencato nel manifesto").arg(it.key()), it.key());
    }

    Esito esito;
    esito.stato = Stato::Integro;
    esito.manifest = manifest;
    esito.byte = totale;
    if (controllo == Controllo::Indice)
        return esito;
    const bool sha = controllo == Controllo::Completo;

    ProgressCounter contatore(progress, totale);
    PieceBuffers buffers;
    HashPipe hash;
    Esito guasto;
    ZipEntries::perOgniVoce(zip, manifest, [&](const BackupManifest::Voce& voce) {
        const QString& nome = voce.percorso;
        qint64 letti = 0;
        const bool ok = ZipEntries::leggiCorrente(
            zip, buffers,
            [&](QByteArrayView pezzo) {
                if (sha)
                    hash.add(pezzo);
                letti += pezzo.size();
                return contatore.avanza(pezzo.size());
            },
            errore);
        if (contatore.annullato())
            guasto = fallito(Stato::Annullato, QStringLiteral("verifica annullata"));
        else if (!ok)
            guasto = fallito(Stato::Danneggiato, QStringLiteral("il file %1: %2").arg(nome, errore), nome);
        else if (letti != voce.dimensione || (sha && hash.hex() != voce.sha256))
            guasto = fallito(Stato::Danneggiato,
                             QStringLiteral("il file %1 non corrisponde al manifesto").arg(nome), nome);
        return guasto.motivo.isEmpty();
    });
    if (!guasto.motivo.isEmpty())
        return guasto;
    if (zip.getZipError() != UNZ_OK)
        return fallito(Stato::Danneggiato, QStringLiteral("il file zip non è leggibile fino in fondo"));
    return esito;
}
