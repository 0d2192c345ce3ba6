#include "backup/BackupFolder.h"

#include "backup/BackupCheckLog.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kPrefisso = QStringLiteral("Folvara_backup_");
const QString kFormato = QStringLiteral("yyyy-MM-dd_HHmmss");
} // namespace

QString BackupFolder::nomePer(const QDateTime& quando)
{
    return kPrefisso + quando.toString(kFormato) + QStringLiteral(".zip");
}

QDateTime BackupFolder::dataDi(const QString& nome)
{
    if (!nome.startsWith(kPrefisso) || !nome.endsWith(QLatin1String(".zip")))
        return {};
    const QString data = nome.mid(kPrefisso.size(), nome.size() - kPrefisso.size() - 4);
    if (data.size() != kFormato.size())
        return {};
    return QDateTime::fromString(data, kFormato);
}

QString BackupFolder::nomeLibero(const QString& cartella, const QDateTime& quando)
{
    const QDir dir(cartella);
    QDateTime momento = quando;
    for (;;) {
        const QString nome = nomePer(momento);
        if (!QFileInfo::exists(dir.filePath(nome)) &&
            !QFileInfo::exists(dir.filePath(nome + suffissoParziale())))
            return nome;
        momento = momento.addSecs(1);
    }
}

QStringList BackupFolder::nomi(const QString& cartella)
{
    QStringList trovati;
    const QStringList files = QDir(cartella).entryList({kPrefisso + QStringLiteral("*.zip")}, QDir::Files,
                                                       QDir::Name | QDir::Reversed);
    for (const QString& nome : files) {
        if (dataDi(nome).isValid())
            trovati.append(nome);
    }
    return trovati;
}

QList<BackupFolder::Voce> BackupFolder::elenco(const QString& cartella)
{
    const QDir dir(cartella);
    const BackupCheckLog verifiche(cartella);
    QList<Voce> voci;
    for (const QString& nome : nomi(cartella)) {
        Voce voce;
        voce.nome = nome;
        voce.percorso = dir.filePath(nome);
        voce.data = dataDi(nome);
        voce.dimensione = QFileInfo(voce.percorso).size();
        const BackupVerifier::Esito esito =
            BackupVerifier::verifica(voce.percorso, BackupVerifier::Controllo::Indice);
        voce.stato = esito.stato;
        voce.motivo = esito.motivo;
        voce.numeroFile = int(esito.manifest.voci.size());
        // The directory alone says nothing of the bytes of the files.
        if (voce.stato == BackupVerifier::Stato::Integro) {
            const std::optional<BackupCheckLog::Risultato> ultima = verifiche.risultato(nome);
            voce.stato = ultima ? ultima->stato : BackupVerifier::Stato::NonVerificato;
            voce.motivo = ultima ? ultima->motivo
                                 : QStringLiteral("il backup non è ancora stato verificato: usare Verifica");
            voce.verificato = ultima ? ultima->quando : QDateTime();
        }
        voci.append(voce);
    }
    const QStringList parziali = dir.entryList({kPrefisso + QStringLiteral("*.zip") + suffissoParziale()},
                                               QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& nome : parziali) {
        Voce voce;
        voce.nome = nome;
        voce.percorso = dir.filePath(nome);
        voce.data = dataDi(nome.chopped(suffissoParziale().size()));
        voce.dimensione = QFileInfo(voce.percorso).size();
        voce.stato = BackupVerifier::Stato::Incompleto;
        voce.motivo = QStringLiteral("il backup è stato interrotto prima della fine");
        voci.append(voce);
    }
    return voci;
}

QStringList BackupFolder::ruota(const QString& cartella, int conserva, const QString& nuovo)
{
    QStringList altri = nomi(cartella);
    altri.removeAll(nuovo);
    const QDir dir(cartella);
    QStringList eliminati;
    for (qsizetype i = std::max(conserva - 1, 0); i < altri.size(); ++i) {
        if (QFile::remove(dir.filePath(altri.at(i))))
            eliminati.append(altri.at(i));
    }
    return eliminati;
}
