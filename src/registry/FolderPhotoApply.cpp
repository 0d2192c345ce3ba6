#include "registry/FolderPhotoApply.h"

#include "import/ImportPlan.h"
#include "photos/PhotoCrop.h"
#include "storage/ArchiveError.h"
#include "storage/FotoScheda.h"
#include "storage/PhotoFiles.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QFileInfo>

#include <algorithm>

namespace {

using C = TSchedaAnagrafica;

// Writes one photo; an empty result means written, otherwise why not.
QString writeOne(const QString& programFolder, const FolderPhotoRow& row)
{
    const PhotoFiles::Read read = ImportAppend::leggiFoto(row.path);
    if (read.outcome != PhotoFiles::Outcome::Loaded)
        return read.outcome == PhotoFiles::Outcome::Missing
                   ? QStringLiteral("il file non c'\u00E8 pi\u00F9")
                   : QStringLiteral("il file non pu\u00F2 essere letto o \u00E8 danneggiato");
    const QImage photo = PhotoCrop::cardPhoto(read.picture);
    const int position = row.cards.first();
    QString reason;
    try {
        TArchivioSchede archive;
        archive.ApriOCrea(C::archivio(programFolder), C::kSize);
        if (position > archive.NumeroSchede()) {
            reason = QStringLiteral("la scheda n. %1 non \u00E8 pi\u00F9 in archivio").arg(position);
        } else {
            archive.Posiziona(position - 1);
            QByteArray record;
            archive.LeggiScheda(record);
            // Another workstation may have changed the card since the folder was read.
            if (!RegistryPhotoIndex::stillMatches(QFileInfo(row.path).completeBaseName(), record,
                                                  row.byCodiceFiscale))
                reason = QStringLiteral("la scheda n. %1 \u00E8 stata cambiata nel frattempo").arg(position);
            else if (!SalvaFotoScheda(programFolder, QString::number(position), photo, &reason) &&
                     reason.isEmpty())
                reason = QStringLiteral("la foto non pu\u00F2 essere scritta");
        }
        archive.ChiudiArchivio();
    } catch (const ArchiveError& error) {
        reason = error.messaggio().simplified();
    }
    return reason;
}

} // namespace

FolderPhotoReport FolderPhotoApply::apply(const QString& programFolder, QList<FolderPhotoRow>& rows,
                                          const Progress& progress)
{
    using O = FolderPhotoRow::Outcome;
    FolderPhotoReport report;
    const int total = int(std::count_if(
        rows.begin(), rows.end(), [](const FolderPhotoRow& row) { return row.ticked && row.tickable(); }));
    int done = 0;
    bool cancelled = false;
    for (FolderPhotoRow& row : rows) {
        if (!row.ticked || !row.tickable()) {
            // An unticked photo was left out by the user's choice, not by a fault.
            if (row.tickable())
                report.notTicked.append(
                    row.fileName + QStringLiteral(": ") +
                    (row.outcome == O::Sostituisce
                         ? QStringLiteral("la scheda n. %1 tiene la sua foto").arg(row.cards.first())
                         : QStringLiteral("la scheda n. %1 resta senza foto").arg(row.cards.first())));
            else if (row.outcome != O::Scritta)
                report.skipped.append(row.fileName + QStringLiteral(": ") +
                                      FolderPhotoPlan::outcomeText(row));
            continue;
        }
        if (cancelled || (progress && !progress(done, total))) {
            cancelled = true;
            ++report.leftByCancel;
            continue;
        }
        const QString reason = writeOne(programFolder, row);
        ++done;
        row.ticked = false;
        if (reason.isEmpty()) {
            row.outcome = O::Scritta;
            ++report.written;
            report.positions.append(row.cards.first());
        } else {
            row.outcome = O::NonScritta;
            row.reason = reason;
            report.failed.append(row.fileName + QStringLiteral(": ") + reason);
        }
    }
    if (progress && !cancelled)
        progress(done, total);
    return report;
}

QString FolderPhotoReport::text() const
{
    QString text = written == 1
                       ? QStringLiteral("1 foto \u00E8 stata scritta nella sua scheda.")
                       : QStringLiteral("%1 foto sono state scritte nelle loro schede.").arg(written);
    if (leftByCancel > 0)
        text += QStringLiteral("\n\nOperazione annullata: %1 foto spuntate non sono state scritte "
                               "(le schede hanno la foto di prima).")
                    .arg(leftByCancel);
    const auto section = [&text](const QString& heading, const QStringList& lines) {
        if (lines.isEmpty())
            return;
        text += QStringLiteral("\n\n") + heading.arg(lines.size());
        // A long list stays readable in a message box.
        constexpr qsizetype kMaxLines = 20;
        for (qsizetype i = 0; i < std::min(lines.size(), kMaxLines); ++i)
            text += QStringLiteral("\n- ") + lines.at(i);
        if (lines.size() > kMaxLines)
            text += QStringLiteral("\n- ... e altri %1").arg(lines.size() - kMaxLines);
    };
    section(QStringLiteral("Foto non scritte (%1):"), failed);
    section(QStringLiteral("Foto non spuntate, lasciate da parte (%1):"), notTicked);
    section(QStringLiteral("Foto saltate (%1):"), skipped);
    return text;
}
