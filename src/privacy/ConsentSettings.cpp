#include "privacy/ConsentSettings.h"

#include "storage/IniLines.h"
#include "storage/TextRules.h"

#include <QDir>

namespace {

const QString kSection = QStringLiteral("Consensi");
const QString kKey = QStringLiteral("Associazione");

QString pathOf(const QString& programFolder)
{
    return QDir(programFolder).filePath(ConsentSettings::fileName());
}

} // namespace

QString ConsentSettings::fileName()
{
    return QStringLiteral("Consensi.ini");
}

QString ConsentSettings::association(const QString& programFolder)
{
    return IniLines::value(pathOf(programFolder), kSection, kKey);
}

bool ConsentSettings::setAssociation(const QString& programFolder, const QString& name, QString* reason)
{
    // One line: a name typed with a line break keeps its words.
    return IniLines::setValue(pathOf(programFolder), kSection, kKey, TextRules::trim(name).simplified(),
                              reason);
}
