#include "app/DataFolderAsker.h"

#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

#include <QDir>

QString DataFolderAsker::question(const QString& proposed, const QString& reason)
{
    QString text;
    if (!reason.isEmpty())
        text = reason + QStringLiteral("\n\n");
    text += title() + QStringLiteral("\n\n"
                                     "Sì: nella cartella proposta, creata se manca:\n%1\n\n"
                                     "No: scegliere un'altra cartella, anche una cartella condivisa che "
                                     "ha già un archivio di Folvara (sarà usato così com'è).\n\n"
                                     "Annulla: chiudere Folvara.")
                          .arg(QDir::toNativeSeparators(proposed));
    return text;
}

QString DataFolderAsker::where(const QString& proposed, const QString& reason)
{
    for (;;) {
        switch (m_context.messages->questionWithCancel(nullptr, question(proposed, reason))) {
        case MessageBoxes::Answer::Yes:
            return proposed;
        case MessageBoxes::Answer::No: {
            const QString folder = m_context.fileDialogs->chooseFolder(nullptr, title());
            if (!folder.isEmpty())
                return folder;
            break; // back to the question
        }
        case MessageBoxes::Answer::Cancel:
            return QString();
        }
    }
}

void DataFolderAsker::refuse(const QString& message)
{
    m_context.messages->error(nullptr, message);
}
