#include "documents/DocumentOutput.h"

#include "documents/PdfFile.h"
#include "documents/Report.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Printing.h"
#include "platform/ShellOpener.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressDialog>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace {

struct ProgressLook {
    const char* name;
    QString title;
    QString doing;
};

// Runs output with a progress dialog that can stop it, for documents long enough to need one.
bool withProgress(QWidget* owner, int pages, const ProgressLook& look,
                  const std::function<bool(const Report::Progress&)>& output)
{
    if (pages < DocumentOutput::kProgressFromPages)
        return output({});

    QProgressDialog progress(look.doing + QStringLiteral("..."), QStringLiteral("Annulla"), 0, pages, owner);
    progress.setObjectName(QString::fromLatin1(look.name));
    progress.setWindowTitle(look.title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    return output([&progress, &look](int pagesDone, int pageCount) {
        progress.setLabelText(
            QStringLiteral("%1: pagina %2 di %3").arg(look.doing).arg(pagesDone).arg(pageCount));
        // Keeps the screen alive and lets "Annulla" be pressed.
        progress.setValue(pagesDone);
        return !progress.wasCanceled();
    });
}

bool printOn(QWidget* owner, const Report::PagedDocument& document, QPrinter& printer)
{
    const ProgressLook look{"frmProgressoStampa", QStringLiteral("Stampa"),
                            QStringLiteral("Stampa in corso")};
    const bool done = withProgress(owner, document.pageCount(), look, [&](const Report::Progress& progress) {
        return Report::render(document, printer, progress, [&printer] { printer.abort(); });
    });
    if (!done && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
    if (done)
        DocumentOutput::finishPrintedFile(printer);
    return done;
}

// The folder of the last PDF is kept in the program folder, beside the archives.
QString settingsPath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Stampa.ini"));
}

void rememberFolder(const QString& programFolder, const QString& folder)
{
    QSettings settings(settingsPath(programFolder), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Pdf/Cartella"), QDir::fromNativeSeparators(folder));
}

QString startFolder(const QString& programFolder)
{
    const QString last = DocumentOutput::lastPdfFolder(programFolder);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

bool DocumentOutput::print(AppContext& context, QWidget* owner, const Report::PagedDocument& document)
{
    if (!context.printing)
        throw Report::Error("no printing layer");
    const std::unique_ptr<QPrinter> printer = context.printing->choosePrinter(owner, document.pageLayout());
    if (!printer)
        return false;
    return printOn(owner, document, *printer);
}

void DocumentOutput::preview(AppContext& context, QWidget* owner, const Report::PagedDocument& document,
                             const QString& pdfName)
{
    if (!context.printing)
        throw Report::Error("no printing layer");
    context.printing->preview(
        owner, document.pageLayout(),
        [owner, &document](QPrinter& printer) {
            try {
                printOn(owner, document, printer);
            } catch (const std::exception&) {
                // The preview stays open with what could be drawn.
            }
        },
        [&context, &document, pdfName](QWidget* window) { savePdf(context, window, document, pdfName); });
}

bool DocumentOutput::savePdf(AppContext& context, QWidget* owner, const Report::PagedDocument& document,
                             const QString& fileName)
{
    const QString path = context.fileDialogs->saveFile(
        owner, QStringLiteral("Salva PDF"), QStringLiteral("Documento PDF (*.pdf) (*.pdf)"),
        QDir(startFolder(context.programFolder)).filePath(fileName), QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;

    QString reason;
    try {
        const ProgressLook look{"frmProgressoPdf", QStringLiteral("Salva PDF"),
                                QStringLiteral("Salvataggio in corso")};
        std::optional<QByteArray> bytes;
        const bool done =
            withProgress(owner, document.pageCount(), look, [&](const Report::Progress& progress) {
                bytes = PdfFile::render(document, QFileInfo(path).completeBaseName(), progress);
                return bytes.has_value();
            });
        if (!done)
            return false;
        if (PdfFile::save(path, *bytes, &reason)) {
            rememberFolder(context.programFolder, QFileInfo(path).absolutePath());
            if (context.messages->question(
                    owner, QStringLiteral("Il documento \u00E8 stato salvato nel file:\r\n\r\n%1"
                                          "\r\n\r\nVuoi aprirlo ora?")
                               .arg(QDir::toNativeSeparators(path))) &&
                !context.shell->open(path))
                context.messages->warning(
                    owner, QStringLiteral("Attenzione: il sistema non ha potuto aprire il file:\r\n\r\n%1"
                                          "\r\n\r\nIl file \u00E8 stato salvato: aprilo con un programma "
                                          "per i file PDF.")
                               .arg(QDir::toNativeSeparators(path)));
            return true;
        }
    } catch (const std::exception&) {
        reason = QStringLiteral("il documento non pu\u00F2 essere preparato.");
    }
    context.messages->warning(owner,
                              QStringLiteral("Attenzione: il file PDF non \u00E8 stato salvato.\r\n\r\n%1"
                                             "\r\n\r\n%2")
                                  .arg(QDir::toNativeSeparators(path), reason));
    return false;
}

bool DocumentOutput::finishPrintedFile(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return true;
    return PdfFile::mendFile(printer.outputFileName());
}

QString DocumentOutput::lastPdfFolder(const QString& programFolder)
{
    if (!QFileInfo::exists(settingsPath(programFolder)))
        return {};
    const QSettings settings(settingsPath(programFolder), QSettings::IniFormat);
    return settings.value(QStringLiteral("Pdf/Cartella")).toString();
}
