#include "app/HelpTopics.h"

#include "app/Guida.h"
#include "platform/AppContext.h"
#include "platform/ModalRunner.h"

QString HelpTopics::title(Topic topic)
{
    switch (topic) {
    case Topic::Panoramica:
        return QStringLiteral("Uno sguardo a Folvara");
    case Topic::ArchivioAnagrafico:
        return QStringLiteral("App Archivio Anagrafico");
    case Topic::SchedarioGruppo:
        return QStringLiteral("App Schedario Gruppo");
    case Topic::CreazioneApertura:
        return QStringLiteral("Creazione e apertura gruppi");
    case Topic::Esportazione:
        return QStringLiteral("Esportazione archivio anagrafico in Microsoft Excel");
    }
    return {};
}

QString HelpTopics::text(Topic)
{
    // The topic paragraphs arrive with the help screens.
    return {};
}

void HelpTopics::open(AppContext& context, QWidget* owner, Topic topic)
{
    TfrmGuida screen(context, owner);
    screen.setTopic(title(topic), text(topic));
    context.modal->run(screen);
}
