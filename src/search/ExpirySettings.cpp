#include "search/ExpirySettings.h"

#include "storage/IniLines.h"

namespace {

const QString kSection = QStringLiteral("Scadenze");
const QString kKey = QStringLiteral("AvvisoDopoAccesso");

} // namespace

ExpirySettings::ExpirySettings(const QString& programFolder)
    : m_path(programFolder + fileName())
{
}

bool ExpirySettings::noticeAfterLogin() const
{
    return IniLines::value(m_path, kSection, kKey) == QLatin1String("1");
}

bool ExpirySettings::setNoticeAfterLogin(bool on)
{
    return IniLines::setValue(m_path, kSection, kKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}
