#pragma once

#include <QString>

struct AppContext;
class QWidget;

// The help topics opened by the help buttons of the launcher and the work screens.
namespace HelpTopics {
enum class Topic { Panoramica, ArchivioAnagrafico, SchedarioGruppo, CreazioneApertura, Esportazione };

QString title(Topic topic);
QString text(Topic topic);
// A new help screen owned by the caller, showing the topic, modal, destroyed when closed.
void open(AppContext& context, QWidget* owner, Topic topic);
} // namespace HelpTopics
