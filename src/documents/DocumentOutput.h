#pragma once

#include <QString>
#include <QStringList>

struct AppContext;
class QPrinter;
class QWidget;
namespace Report {
class PagedDocument;
}

// Previewing, printing and saving as PDF a prepared document through the platform's layers.
namespace DocumentOutput {
// Documents with at least this many pages show a progress dialog that can stop the output.
inline constexpr int kProgressFromPages = 10;

// Print dialog first, then the pages on the chosen printer. False when the user cancelled the
// dialog or the output; throws Report::Error when the output fails.
bool print(AppContext& context, QWidget* owner, const Report::PagedDocument& document);
// The preview window, until it is closed; its "Salva PDF" proposes pdfName.
void preview(AppContext& context, QWidget* owner, const Report::PagedDocument& document,
             const QString& pdfName);
// "Salva PDF": the save dialog proposes fileName in the folder used last, the file is written
// whole or not at all, and a question names it and offers to open it (a message says so when the
// system cannot). False when the user cancelled or the file could not be written (a warning says
// why).
bool savePdf(AppContext& context, QWidget* owner, const Report::PagedDocument& document,
             const QString& fileName);
// After a print run on the printer: a PDF file written through the print dialog ("Stampa su
// file") gets the text layer of every PDF the program writes. False when such a file could not be
// mended.
bool finishPrintedFile(const QPrinter& printer);
// The folder of the last PDF saved ("Stampa.ini" in the program folder); empty before the first.
QString lastPdfFolder(const QString& programFolder);
} // namespace DocumentOutput
