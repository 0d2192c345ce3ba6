#include "privacy/erase/PersonInventory.h"

#include "documents/RegistryExport.h"
#include "export/RegistrySheetExport.h"
#include "privacy/erase/StaleCopies.h"
#include "registry/AttachmentFolder.h"
#include "storage/ArchiveError.h"
#include "storage/FotoScheda.h"
#include "storage/TArchivioSchede.h"
#include "storage/TextRules.h"

#include <QFileInfo>

namespace {

using C = TSchedaAnagrafica;

constexpr C::Campo kFiles[] = {C::File01, C::File02, C::File03};

// The attachment names of a card, trimmed, without empty ones.
QStringList attachmentNames(const TSchedaAnagrafica& card)
{
    QStringList names;
    for (const C::Campo campo : kFiles) {
        const QString name = TextRules::trim(card.testo(campo));
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    return names;
}

// The attachment names of every other card, folded, to tell which files are shared.
QStringList namesOfOthers(TArchivioSchede& archivio, int position)
{
    QStringList names;
    archivio.Posiziona(0);
    TSchedaAnagrafica other;
    while (!archivio.FineArchivio()) {
        archivio.LeggiScheda(other.buffer());
        if (archivio.PosizioneCorrente() == position)
            continue;
        for (const QString& name : attachmentNames(other))
            names.append(name.toCaseFolded());
    }
    return names;
}

} // namespace

QString PersonInventory::name() const
{
    return TextRules::trim(card.testo(C::Candidato));
}

QString PersonInventory::photoFile() const
{
    const QString photo = FotoScheda::percorso(QString(), QString::number(position));
    const QString name = QFileInfo(photo).fileName();
    for (const QString& file : photoFiles) {
        if (QFileInfo(file).fileName() == name)
            return file;
    }
    return {};
}

QString PersonInventory::codiceFiscale() const
{
    return TextRules::trim(card.testo(C::CodFisc));
}

PersonInventory PersonInventory::read(const QString& programFolder, int position,
                                      const PersonSideDataList& side)
{
    PersonInventory inventory;
    inventory.position = position;
    QStringList others;
    {
        TArchivioSchede archivio;
        archivio.ApriOCrea(C::archivio(programFolder), C::kSize);
        if (position < 1 || position > archivio.NumeroSchede())
            throw ArchiveError(QStringLiteral("card %1 is not in the registry").arg(position));
        archivio.Posiziona(position - 1);
        archivio.LeggiScheda(inventory.card.buffer());
        others = namesOfOthers(archivio, position);
        archivio.ChiudiArchivio();
    }
    const QString posizione = QString::number(position);
    inventory.photoFiles = StaleCopies::withCopies(FotoScheda::percorso(programFolder, posizione));
    for (const QString& name : attachmentNames(inventory.card)) {
        Attachment attachment;
        attachment.name = name;
        attachment.path = AttachmentFolder::pathOf(programFolder, name);
        attachment.present = !attachment.path.isEmpty() && QFileInfo(attachment.path).isFile();
        attachment.shared = others.contains(name.toCaseFolded());
        inventory.attachments.append(attachment);
    }
    inventory.groupSlots = GroupSlots::find(programFolder, inventory.name());
    const QString exports[] = {
        RegistryExport::path(programFolder),
        RegistrySheetExport::path(programFolder, RegistrySheetExport::Format::Xlsx),
        RegistrySheetExport::path(programFolder, RegistrySheetExport::Format::Ods),
    };
    for (const QString& file : exports)
        inventory.exportFiles.append(StaleCopies::withCopies(file));
    for (const auto& source : side)
        inventory.sideData.append(source->describe(programFolder, position));
    return inventory;
}

QStringList PersonInventory::filesToRemove() const
{
    QStringList files = photoFiles;
    for (const Attachment& attachment : attachments) {
        if (!attachment.shared && !attachment.path.isEmpty())
            files.append(StaleCopies::withCopies(attachment.path));
    }
    files.append(exportFiles);
    return files;
}
