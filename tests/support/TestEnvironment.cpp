#include "support/TestEnvironment.h"

#include "app/ScreenFlow.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QVideoFrameFormat>
#include <QWidget>

bool RecordingMessageBoxes::show(QWidget* owner, MessageKind kind, const QString& text)
{
    ShownMessage message{kind, text, owner ? owner->window()->objectName() : QString()};
    shown.append(message);
    if (onShow)
        onShow(message);
    if (kind != MessageKind::Question)
        return true;
    return nextAnswers.isEmpty() ? true : nextAnswers.takeFirst();
}

MessageBoxes::Answer RecordingMessageBoxes::questionWithCancel(QWidget* owner, const QString& text)
{
    ShownMessage message{MessageKind::Question, text, owner ? owner->window()->objectName() : QString()};
    shown.append(message);
    if (onShow)
        onShow(message);
    return nextChoices.isEmpty() ? Answer::No : nextChoices.takeFirst();
}

QString RecordingFileDialogs::openFile(QWidget*, const QString& title, const QString& filters)
{
    requests.append({title, filters, QString(), false});
    return nextNames.isEmpty() ? QString() : nextNames.takeFirst();
}

QString RecordingFileDialogs::saveFile(QWidget*, const QString& title, const QString& filters,
                                       const QString& proposedName, const QString& defaultSuffix)
{
    requests.append({title, filters, proposedName, true});
    QString name = nextNames.isEmpty() ? QString() : nextNames.takeFirst();
    // As the real dialog does: only a name without any dot gets the suffix.
    if (!name.isEmpty() && !defaultSuffix.isEmpty() && !QFileInfo(name).fileName().contains(QLatin1Char('.')))
        name += QLatin1Char('.') + defaultSuffix;
    return name;
}

QString RecordingFileDialogs::chooseFolder(QWidget*, const QString& title)
{
    requests.append({title, QString(), QString(), false});
    return nextNames.isEmpty() ? QString() : nextNames.takeFirst();
}

QVideoFrame FakeCamera::frameOf(const QImage& picture)
{
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QVideoFrame frame(QVideoFrameFormat(
        source.size(), QVideoFrameFormat::pixelFormatFromImageFormat(QImage::Format_ARGB32)));
    if (!frame.map(QVideoFrame::WriteOnly))
        return {};
    const int rowBytes = source.width() * 4;
    for (int y = 0; y < source.height(); ++y)
        memcpy(frame.bits(0) + qsizetype(y) * frame.bytesPerLine(0), source.constScanLine(y), rowBytes);
    frame.unmap();
    return frame;
}

bool FakeCamera::start()
{
    ++starts;
    if (!present)
        return false;
    if (failOnStart)
        reportFailure();
    return true;
}

std::unique_ptr<QPrinter> RecordingPrinting::pdfPrinter(const QString& name, const QPageLayout& layout) const
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QDir(folder).filePath(name));
    printer->setPageLayout(layout);
    return printer;
}

std::unique_ptr<QPrinter> RecordingPrinting::choosePrinter(QWidget*, const QPageLayout& layout)
{
    ++dialogs;
    if (!nextAnswers.isEmpty() && !nextAnswers.takeFirst())
        return nullptr;
    auto printer = pdfPrinter(QStringLiteral("stampa_%1.pdf").arg(printed.size() + 1), layout);
    printed.append(printer->outputFileName());
    return printer;
}

void RecordingPrinting::preview(QWidget* owner, const QPageLayout& layout,
                                const std::function<void(QPrinter&)>& paint,
                                const std::function<void(QWidget*)>& savePdf)
{
    if (savePdf)
        ++previewSaveCommands;
    previewOwners.append(owner ? owner->objectName() : QString());
    {
        const auto printer = pdfPrinter(QStringLiteral("anteprima_%1.pdf").arg(previews.size() + 1), layout);
        previews.append(printer->outputFileName());
        paint(*printer);
    }
    if (printFromPreview) {
        if (const auto printer = choosePrinter(owner, layout))
            paint(*printer);
    }
    if (savePdfFromPreview && savePdf)
        savePdf(owner);
}

int ScriptedModalRunner::run(QDialog& screen)
{
    openedClasses.append(QString::fromLatin1(screen.metaObject()->className()));
    screen.setModal(true);
    screen.show();
    if (!scripts.isEmpty())
        scripts.takeFirst()(screen);
    const int result = screen.result();
    if (screen.isVisible())
        screen.done(QDialog::Rejected);
    return result;
}

TestEnvironment::TestEnvironment()
{
    context.programFolder = QDir(dir.path()).absolutePath() + QLatin1Char('/');
    context.messages = &messages;
    context.fileDialogs = &fileDialogs;
    context.shell = &shell;
    context.modal = &modal;
    context.camera = &camera;
    context.printing = &printing;
    printing.folder = context.programFolder;
}

TestEnvironment::~TestEnvironment() = default;

ScreenFlow& TestEnvironment::flow()
{
    if (!m_flow)
        m_flow = std::make_unique<ScreenFlow>(context);
    return *m_flow;
}
