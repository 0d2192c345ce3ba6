#pragma once

#include "storage/ArchiveSteps.h"

#include <QByteArray>
#include <QString>

class MessageBoxes;
class QWidget;

// An editor's save that never overwrites unasked what another workstation saved meanwhile:
// when the record changed or vanished since it was loaded, the user chooses to overwrite it,
// to reload the other workstation's version or to cancel.
namespace LostUpdateSave {

struct Esito {
    enum class Tipo { Salvata, Ricarica, Annullata };
    Tipo tipo = Tipo::Annullata;
    ArchiveSteps::Salvataggio salvataggio; // Salvata: where the record now is
    QByteArray altra;                      // Ricarica: the record the other workstation saved
};

// comeCaricata: the record's bytes as the editor loaded them (empty: nothing to compare).
// accanto: what is done beside the record under its lock (ArchiveSteps::salva); a save it
// refused is Salvata with salvataggio.fermata set. Throws ArchiveError.
Esito salva(MessageBoxes& messages, QWidget* owner, const QString& path, const QString& posizione,
            const QByteArray& record, const QByteArray& comeCaricata,
            ArchiveSteps::Accanto* accanto = nullptr);

} // namespace LostUpdateSave
