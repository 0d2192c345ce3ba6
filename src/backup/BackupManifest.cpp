#include "backup/BackupManifest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
const QString kProgramma = QStringLiteral("Folvara");
} // namespace

QByteArray BackupManifest::json() const
{
    QJsonArray file;
    for (const Voce& voce : voci) {
        file.append(QJsonObject{{QStringLiteral("percorso"), voce.percorso},
                                {QStringLiteral("dimensione"), double(voce.dimensione)},
                                {QStringLiteral("sha256"), QString::fromLatin1(voce.sha256)}});
    }
    const QJsonObject root{{QStringLiteral("programma"), kProgramma},
                           {QStringLiteral("versione"), BackupManifest::kVersione},
                           {QStringLiteral("creato"), creato.toString(Qt::ISODate)},
                           {QStringLiteral("file"), file}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

BackupManifest::Lettura BackupManifest::leggi(const QByteArray& json, BackupManifest& manifest,
                                              QString& errore)
{
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    const QJsonObject root = document.object();
    const bool nostro =
        parse.error == QJsonParseError::NoError && root.value(QStringLiteral("programma")) == kProgramma;
    // A later version may have changed anything else in the manifest.
    if (nostro && root.value(QStringLiteral("versione")).toInt() > kVersione) {
        errore = QStringLiteral("il backup è stato fatto con una versione più recente di Folvara");
        return Lettura::PiuRecente;
    }
    if (!nostro || root.value(QStringLiteral("versione")).toInt() != kVersione ||
        !root.value(QStringLiteral("file")).isArray()) {
        errore = QStringLiteral("il manifesto non è leggibile");
        return Lettura::Illeggibile;
    }
    manifest.creato = QDateTime::fromString(root.value(QStringLiteral("creato")).toString(), Qt::ISODate);
    manifest.voci.clear();
    for (const QJsonValue& value : root.value(QStringLiteral("file")).toArray()) {
        const QJsonObject object = value.toObject();
        Voce voce;
        voce.percorso = object.value(QStringLiteral("percorso")).toString();
        voce.dimensione = qint64(object.value(QStringLiteral("dimensione")).toDouble(-1));
        voce.sha256 = object.value(QStringLiteral("sha256")).toString().toLatin1();
        if (!percorsoSicuro(voce.percorso)) {
            errore = QStringLiteral("il manifesto contiene un percorso non ammesso: %1").arg(voce.percorso);
            return Lettura::Illeggibile;
        }
        if (voce.dimensione < 0 || voce.sha256.size() != 64) {
            errore = QStringLiteral("il manifesto non è leggibile alla voce %1").arg(voce.percorso);
            return Lettura::Illeggibile;
        }
        manifest.voci.append(voce);
    }
    return Lettura::Letto;
}

bool BackupManifest::percorsoSicuro(const QString& percorso)
{
    if (percorso.isEmpty() || percorso.startsWith(QLatin1Char('/')) || percorso.contains(QLatin1Char('\\')) ||
        percorso.contains(QLatin1Char(':')))
        return false;
    for (const QChar c : percorso) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
    }
    const QStringList parti = percorso.split(QLatin1Char('/'));
    for (const QString& parte : parti) {
        if (parte.isEmpty() || parte == QLatin1String(".") || parte == QLatin1String(".."))
            return false;
    }
    return true;
}
