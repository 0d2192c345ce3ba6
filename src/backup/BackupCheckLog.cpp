#include "backup/BackupCheckLog.h"

#include "storage/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using Stato = BackupVerifier::Stato;

constexpr int kVersioneRegistro = 1;
// Far more than a folder of backups ever needs; a larger file is not read.
constexpr qint64 kMassimoRegistro = 4 << 20;

const QString kChiaveNome = QStringLiteral("nome");
const QString kChiaveDimensione = QStringLiteral("dimensione");
const QString kChiaveModificato = QStringLiteral("modificato");
const QString kChiaveStato = QStringLiteral("stato");
const QString kChiaveMotivo = QStringLiteral("motivo");
const QString kChiaveQuando = QStringLiteral("verificato");

// The states a full check ends in, by their stored names.
const QList<QPair<Stato, QString>>& statiRegistrati()
{
    static const QList<QPair<Stato, QString>> stati = {{Stato::Integro, QStringLiteral("integro")},
                                                       {Stato::Danneggiato, QStringLiteral("danneggiato")},
                                                       {Stato::Incompleto, QStringLiteral("incompleto")}};
    return stati;
}

qint64 modificatoDi(const QFileInfo& info)
{
    return info.lastModified().toMSecsSinceEpoch();
}

} // namespace

QString BackupCheckLog::nomeFile()
{
    return QStringLiteral("Folvara_verifiche.json");
}

BackupCheckLog::BackupCheckLog(const QString& cartella)
    : m_cartella(cartella)
{
    QFile file(QDir(cartella).filePath(nomeFile()));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMassimoRegistro)
        return;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    if (root.value(QStringLiteral("versione")).toInt() != kVersioneRegistro)
        return;
    for (const QJsonValue& value : root.value(QStringLiteral("backup")).toArray()) {
        const QJsonObject object = value.toObject();
        Voce voce;
        voce.dimensione = qint64(object.value(kChiaveDimensione).toDouble(-1));
        voce.modificato = qint64(object.value(kChiaveModificato).toDouble(0));
        const QString stato = object.value(kChiaveStato).toString();
        bool noto = false;
        for (const auto& [valore, nome] : statiRegistrati()) {
            if (nome == stato) {
                voce.risultato.stato = valore;
                noto = true;
            }
        }
        voce.risultato.motivo = object.value(kChiaveMotivo).toString();
        voce.risultato.quando = QDateTime::fromString(object.value(kChiaveQuando).toString(), Qt::ISODate);
        const QString nome = object.value(kChiaveNome).toString();
        if (noto && !nome.isEmpty() && voce.dimensione >= 0)
            m_voci.insert(nome, voce);
    }
}

std::optional<BackupCheckLog::Risultato> BackupCheckLog::risultato(const QString& nome) const
{
    const auto it = m_voci.constFind(nome);
    if (it == m_voci.cend())
        return std::nullopt;
    const QFileInfo info(QDir(m_cartella).filePath(nome));
    if (!info.isFile() || info.size() != it->dimensione || modificatoDi(info) != it->modificato)
        return std::nullopt;
    return it->risultato;
}

void BackupCheckLog::registra(const QString& nome, Stato stato, const QString& motivo,
                              const QDateTime& quando)
{
    m_voci.remove(nome);
    const QFileInfo info(QDir(m_cartella).filePath(nome));
    bool registrato = false;
    for (const auto& stati : statiRegistrati())
        registrato = registrato || stati.first == stato;
    if (!registrato || !info.isFile())
        return;
    Voce voce;
    voce.dimensione = info.size();
    voce.modificato = modificatoDi(info);
    voce.risultato = {stato, motivo, quando};
    m_voci.insert(nome, voce);
}

bool BackupCheckLog::scrivi(QString* motivo) const
{
    const QDir dir(m_cartella);
    QStringList nomi = m_voci.keys();
    nomi.sort();
    QJsonArray backup;
    for (const QString& nome : nomi) {
        if (!QFileInfo(dir.filePath(nome)).isFile())
            continue;
        const Voce voce = m_voci.value(nome);
        QString stato;
        for (const auto& [valore, testo] : statiRegistrati()) {
            if (valore == voce.risultato.stato)
                stato = testo;
        }
        backup.append(QJsonObject{{kChiaveNome, nome},
                                  {kChiaveDimensione, double(voce.dimensione)},
                                  {kChiaveModificato, double(voce.modificato)},
                                  {kChiaveStato, stato},
                                  {kChiaveMotivo, voce.risultato.motivo},
                                  {kChiaveQuando, voce.risultato.quando.toString(Qt::ISODate)}});
    }
    const QJsonObject root{{QStringLiteral("programma"), QStringLiteral("Folvara")},
                           {QStringLiteral("versione"), kVersioneRegistro},
                           {QStringLiteral("backup"), backup}};
    return SafeSave::writeFile(dir.filePath(nomeFile()), QJsonDocument(root).toJson(QJsonDocument::Indented),
                               motivo);
}

bool BackupCheckLog::annota(const QString& zipPath, Stato stato, const QString& motivo,
                            const QDateTime& quando)
{
    const QFileInfo zip(zipPath);
    BackupCheckLog log(zip.absolutePath());
    log.registra(zip.fileName(), stato, motivo, quando);
    return log.scrivi();
}
