#include "widgets/BrowsingStep.h"

#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "storage/ArchiveError.h"
#include "storage/TextRules.h"

#include <QLabel>

bool browsingStep(AppContext& context, QWidget* screen, QLabel* lblPosizione, const QString& archive,
                  int recordSize, ArchiveSteps::Comando comando, QByteArray& record)
{
    using Esito = ArchiveSteps::Passo::Esito;
    try {
        const ArchiveSteps::Sfogliata passo = ArchiveSteps::sfoglia(
            archive, recordSize, comando, TextRules::trim(lblPosizione->text()), record);
        if (passo.passo.azzeraPosizione)
            lblPosizione->clear();
        if (passo.passo.esito == Esito::Leggi) {
            lblPosizione->setText(QString::number(passo.posizione));
            return true;
        }
        if (passo.passo.esito == Esito::ArchivioVuoto)
            context.messages->information(screen, QStringLiteral("L'archivio non contiene nessuna scheda."));
    } catch (const ArchiveError& error) {
        context.messages->error(screen, error.messaggio());
    }
    return false;
}
