#pragma once

#include "storage/ArchiveSteps.h"

#include <QByteArray>
#include <QString>

struct AppContext;
class QLabel;
class QWidget;

// One browsing step of an editor screen (first, back, next, last): reads the record into the
// buffer and puts its position in the label, or tells the user of an empty archive or of an
// access failure. True when a record was read and is to be shown.
bool browsingStep(AppContext& context, QWidget* screen, QLabel* lblPosizione, const QString& archive,
                  int recordSize, ArchiveSteps::Comando comando, QByteArray& record);
