#include "backup/BackupSettings.h"

#include "backup/BackupContent.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {
const QString kCartella = QStringLiteral("Backup/Cartella");
const QString kConserva = QStringLiteral("Backup/DaConservare");
const QString kPromemoria = QStringLiteral("Backup/PromemoriaGiorni");
const QString kUltimo = QStringLiteral("Backup/UltimoVerificato");
} // namespace

QString BackupSettings::file(const QString& cartellaProgramma)
{
    return QDir(cartellaProgramma).filePath(QStringLiteral("Backup.ini"));
}

QString BackupSettings::cartellaPredefinita(const QString& cartellaProgramma)
{
    QDir sopra(cartellaProgramma);
    sopra.cdUp();
    return sopra.filePath(QStringLiteral("Folvara_backup"));
}

BackupSettings BackupSettings::leggi(const QString& cartellaProgramma)
{
    const QSettings ini(file(cartellaProgramma), QSettings::IniFormat);
    BackupSettings settings;
    settings.cartella = ini.value(kCartella, cartellaPredefinita(cartellaProgramma)).toString();
    settings.conserva = std::clamp(ini.value(kConserva, kConservaPredefinito).toInt(), 1, 999);
    settings.promemoriaGiorni = std::clamp(ini.value(kPromemoria, kPromemoriaPredefinito).toInt(), 0, 365);
    settings.ultimoVerificato = QDateTime::fromString(ini.value(kUltimo).toString(), Qt::ISODate);
    return settings;
}

bool BackupSettings::scrivi(const QString& cartellaProgramma) const
{
    QSettings ini(file(cartellaProgramma), QSettings::IniFormat);
    ini.setValue(kCartella, cartella);
    ini.setValue(kConserva, conserva);
    ini.setValue(kPromemoria, promemoriaGiorni);
    if (ultimoVerificato.isValid())
        ini.setValue(kUltimo, ultimoVerificato.toString(Qt::ISODate));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

bool BackupSettings::promemoriaDovuto(const QString& cartellaProgramma, const QDateTime& adesso) const
{
    if (promemoriaGiorni <= 0)
        return false;
    if (ultimoVerificato.isValid() && ultimoVerificato.addDays(promemoriaGiorni) > adesso)
        return false;
    // Nothing to save until a card, a page, a photo or an attachment exists.
    for (const BackupContent::File& content : BackupContent::elenco(cartellaProgramma)) {
        const QFileInfo info(QDir(cartellaProgramma).filePath(content.relativo));
        const bool archivioPieno = content.dimensioneScheda > 0 && info.size() >= content.dimensioneScheda;
        const bool datoUtente = content.dimensioneScheda == 0 && content.relativo.contains(QLatin1Char('/'));
        if (archivioPieno || datoUtente)
            return true;
    }
    return false;
}
