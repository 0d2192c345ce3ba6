#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct AppContext;
class QWidget;

// The help topics opened by the help buttons of the launcher and the work screens.
// The same texts make the chapters of the user guide Guida.pdf.
namespace HelpTopics {
enum class Topic {
    Panoramica,
    ArchivioAnagrafico,
    SchedarioGruppo,
    CreazioneApertura,
    Esportazione,
    Importazione,
    Scadenze,
    Backup
};

// Every topic, in the order of the user guide.
QList<Topic> all();
QString title(Topic topic);
QStringList paragraphs(Topic topic);
// The paragraphs that belong to the topic alone: the overview without the chapters it repeats.
QStringList ownParagraphs(Topic topic);
// The paragraphs joined by two CR LF pairs, as the help screen shows them.
QString text(Topic topic);
// A new help screen owned by the caller, showing the topic, modal, destroyed when closed.
void open(AppContext& context, QWidget* owner, Topic topic);
// The topic shared by the new-group and the open-group screens.
inline void openGroupsHelp(AppContext& context, QWidget* owner)
{
    open(context, owner, Topic::CreazioneApertura);
}
} // namespace HelpTopics
