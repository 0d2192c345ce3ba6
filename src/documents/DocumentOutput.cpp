#include "documents/DocumentOutput.h"

#include "documents/Report.h"
#include "platform/AppContext.h"
#include "platform/Printing.h"

#include <QFile>
#include <QPrinter>
#include <QProgressDialog>

#include <memory>

namespace {

bool printOn(QWidget* owner, const Report::PagedDocument& document, QPrinter& printer)
{
    const int pages = document.pageCount();
    if (pages < DocumentOutput::kProgressFromPages)
        return Report::render(document, printer);

    QProgressDialog progress(QStringLiteral("Stampa in corso..."), QStringLiteral("Annulla"), 0, pages,
                             owner);
    progress.setObjectName(QStringLiteral("frmProgressoStampa"));
    progress.setWindowTitle(QStringLiteral("Stampa"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    const bool done = Report::render(
        document, printer,
        [&progress](int pagesDone, int pageCount) {
            progress.setLabelText(
                QStringLiteral("Stampa in corso: pagina %1 di %2").arg(pagesDone).arg(pageCount));
            // Keeps the screen alive and lets "Annulla" be pressed.
            progress.setValue(pagesDone);
            return !progress.wasCanceled();
        },
        [&printer] { printer.abort(); });
    if (!done && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
    return done;
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

void DocumentOutput::preview(AppContext& context, QWidget* owner, const Report::PagedDocument& document)
{
    if (!context.printing)
        throw Report::Error("no printing layer");
    context.printing->preview(owner, document.pageLayout(), [owner, &document](QPrinter& printer) {
        try {
            printOn(owner, document, printer);
        } catch (const std::exception&) {
            // The preview stays open with what could be drawn.
        }
    });
}
