#include "platform/ShellOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <optional>

namespace {

// How long the desktop's opener may take to say it found nothing to open the target with.
constexpr int kOpenerAnswerMs = 2000;

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// xdg-open answers at once with a failure when no program takes the target; one still running
// is opening it. Nothing when xdg-open is missing.
std::optional<bool> openWithXdg(const QUrl& url)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return std::nullopt;
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments({url.toString(QUrl::FullyEncoded)});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::errorOccurred, process, &QObject::deleteLater);
    process->start();
    if (!process->waitForStarted(kOpenerAnswerMs))
        return false;
    if (!process->waitForFinished(kOpenerAnswerMs))
        return true; // a viewer that keeps the opener waiting: it is on its way
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}
#endif

} // namespace

bool DesktopShellOpener::open(const QString& target)
{
    const QUrl asUrl(target, QUrl::TolerantMode);
    // A one-letter scheme is a Windows drive, not an address.
    const bool isAddress = asUrl.isValid() && asUrl.scheme().size() > 1;
    const QUrl url = isAddress ? asUrl : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (const std::optional<bool> opened = openWithXdg(url))
        return *opened;
#endif
    return QDesktopServices::openUrl(url);
}
