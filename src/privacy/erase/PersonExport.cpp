#include "privacy/erase/PersonExport.h"

#include "documents/PdfFile.h"
#include "documents/PersonCardDocument.h"
#include "export/RegistrySheetExport.h"
#include "storage/FileErrorText.h"
#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"
#include "storage/SafeSave.h"
#include "storage/TSchedaGruppo.h"
#include "storage/TextRules.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <zlib.h>

#include <array>
#include <utility>

namespace {

using C = TSchedaAnagrafica;

QByteArray csvField(const QString& text)
{
    QString value = text;
    if (value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('"')) ||
        value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        value.replace(QLatin1String("\""), QLatin1String("\"\""));
        value = QLatin1Char('"') + value + QLatin1Char('"');
    }
    return value.toUtf8();
}

QByteArray csvLine(const QStringList& fields)
{
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line.append(';');
        line.append(csvField(fields[i]));
    }
    return line.append("\r\n");
}

QByteArray readWhole(const QString& path, bool& ok)
{
    QFile file(path);
    ok = file.open(QIODevice::ReadOnly);
    return ok ? file.readAll() : QByteArray();
}

bool writeEntry(QuaZip& zip, const PersonExport::Entry& entry, QString& error)
{
    QuaZipNewInfo info(entry.name);
    info.dateTime = QDateTime::currentDateTime();
    QuaZipFile out(&zip);
    if (!out.open(QIODevice::WriteOnly, info, nullptr, 0, Z_DEFLATED))
        return false;
    bool ok = true;
    if (entry.file.isEmpty()) {
        ok = out.write(entry.bytes) == entry.bytes.size();
    } else {
        QFile in(entry.file);
        ok = in.open(QIODevice::ReadOnly);
        if (!ok)
            error = QStringLiteral("il file %1 non può essere letto (%2).")
                        .arg(QFileInfo(entry.file).fileName(), FileErrorText::italian(in.errorString()));
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        while (ok) {
            const qint64 read = in.read(chunk.data(), chunk.size());
            if (read <= 0) {
                ok = read == 0;
                break;
            }
            ok = out.write(chunk.constData(), read) == read;
        }
    }
    out.close();
    // A failed write leaves the error empty: the caller asks the file why.
    return ok && out.getZipError() == ZIP_OK;
}

} // namespace

QByteArray PersonExport::csv(const TSchedaAnagrafica& card)
{
    QStringList headers = RegistrySheetExport::headerLabels();
    QStringList values;
    for (const C::Campo campo : RegistrySheetExport::fields())
        values.append(TextRules::trim(card.testo(campo)));
    // The attached files by name and description, as the registry editor labels them.
    constexpr std::array<std::pair<C::Campo, C::Campo>, 3> kAttachments = {
        {{C::File01, C::Desc01}, {C::File02, C::Desc02}, {C::File03, C::Desc03}}};
    for (std::size_t i = 0; i < kAttachments.size(); ++i) {
        const QString number = QStringLiteral("%1\u00B0 file allegato").arg(int(i) + 1);
        headers << number << QStringLiteral("Descrizione ") + number;
        values << TextRules::trim(card.testo(kAttachments[i].first))
               << TextRules::trim(card.testo(kAttachments[i].second));
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + csvLine(headers) + csvLine(values);
}

QByteArray PersonExport::groupPages(const QList<GroupSlots::Slot>& groupSlots)
{
    QByteArray bytes =
        QByteArrayLiteral("\xEF\xBB\xBF") +
        csvLine({QStringLiteral("Gruppo"), QStringLiteral("Pagina"), QStringLiteral("Riquadro")});
    for (const GroupSlots::Slot& slot : groupSlots)
        bytes.append(
            csvLine({slot.group, QString::number(slot.page), QString(TSchedaGruppo::lettera(slot.slot))}));
    return bytes;
}

QByteArray PersonExport::cardPdf(const QString& programFolder, const PersonInventory& inventory)
{
    Q_UNUSED(programFolder);
    PersonCardDocument document;
    const auto& names = PersonCardDocument::textNames();
    for (int i = 0; i < PersonCardDocument::kTexts; ++i)
        document.setText(QString::fromLatin1(names[std::size_t(i)]),
                         inventory.card.testo(static_cast<C::Campo>(i)));
    const QString photoFile = inventory.photoFile();
    const QImage photo = photoFile.isEmpty() ? QImage() : PhotoFiles::load(photoFile);
    document.setPhoto(photo.isNull() ? Placeholder::image() : photo);
    document.prepare();
    const std::optional<QByteArray> pdf = PdfFile::render(document.page(), inventory.name());
    if (!pdf)
        throw Report::Error("the card could not be drawn");
    return *pdf;
}

QList<PersonExport::Entry> PersonExport::entries(const QString& programFolder,
                                                 const PersonInventory& inventory,
                                                 const PersonSideDataList& side)
{
    QList<Entry> result;
    result.append({QStringLiteral("Scheda.pdf"), cardPdf(programFolder, inventory), {}});
    result.append({QStringLiteral("Scheda.csv"), csv(inventory.card), {}});
    if (!inventory.photoFile().isEmpty())
        result.append({QStringLiteral("Foto.jpg"), {}, inventory.photoFile()});
    for (const PersonInventory::Attachment& attachment : inventory.attachments) {
        if (attachment.present)
            result.append({QStringLiteral("Allegati/") + attachment.name, {}, attachment.path});
    }
    for (const auto& source : side) {
        for (const PersonSideData::File& file : source->exportFiles(programFolder, inventory.position))
            result.append({file.name, file.bytes, {}});
    }
    result.append({QStringLiteral("Pagine_dei_gruppi.csv"), groupPages(inventory.groupSlots), {}});
    for (const GroupSlots::Slot& slot : inventory.groupSlots) {
        if (QFileInfo(slot.photoPath).isFile())
            result.append({QStringLiteral("Foto_dei_gruppi/") + QFileInfo(slot.photoPath).fileName(),
                           {},
                           slot.photoPath});
    }
    return result;
}

QString PersonExport::proposedName(const QString& personName)
{
    QString name = PdfFile::fileName(personName, QStringLiteral("persona"));
    name.chop(4); // ".pdf"
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    return QStringLiteral("Dati_") + name + QStringLiteral(".zip");
}

PersonExport::Outcome PersonExport::save(const QString& path, const QList<Entry>& entries,
                                         const Progress& progress, QString* errorString)
{
    QString error;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        if (errorString)
            *errorString = FileErrorText::of(out);
        return Outcome::Failed;
    }
    bool written = true;
    bool cancelled = false;
    {
        QuaZip zip(&out);
        zip.setAutoClose(false); // the save file is committed or cancelled below, never closed here
        zip.setZip64Enabled(true);
        zip.setUtf8Enabled(true);
        written = zip.open(QuaZip::mdCreate);
        if (!written)
            error = QStringLiteral("non è possibile creare il file zip.");
        for (qsizetype i = 0; written && i < entries.size(); ++i) {
            written = writeEntry(zip, entries[i], error);
            if (written && progress && !progress(int(i + 1), int(entries.size()))) {
                cancelled = true;
                break;
            }
        }
        zip.close();
        written = written && zip.getZipError() == ZIP_OK;
    }
    if (cancelled || !written) {
        if (error.isEmpty())
            error =
                QStringLiteral("la scrittura del file zip si è interrotta (%1).").arg(FileErrorText::of(out));
        out.cancelWriting();
        if (errorString)
            *errorString = error;
        return cancelled ? Outcome::Cancelled : Outcome::Failed;
    }
    QString reason;
    if (!SafeSave::commit(out, &reason)) {
        if (errorString)
            *errorString = reason;
        return Outcome::Failed;
    }
    return Outcome::Written;
}
