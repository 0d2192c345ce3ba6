#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

struct AppContext;
class ListDocument;
class QWidget;

// The "Stampa" and "Salva PDF" of the lists (the search, the recontact summary): the list's
// lines under a title, printed directly through the print dialog or saved as a PDF file.
namespace ListPrinting {
// "Stampa eseguita in data <date> alle ore <time>".
QString dateLine(const QDateTime& when);
// Fills the list document with the title, the date line and the lines, and prepares it.
void fill(ListDocument& document, const QString& title, const QStringList& lines, const QDateTime& when);
// False when the user cancelled; a failure is shown as a warning over owner.
bool stampa(AppContext& context, QWidget* owner, const QString& title, const QStringList& lines);
// "<title> dd-MM-yyyy.pdf".
QString pdfName(const QString& title, const QDate& day);
// The same document saved as a PDF file, proposed as "<fileStem> dd-MM-yyyy.pdf" (the title
// when fileStem is empty); false when the user cancelled or it was not written.
bool salvaPdf(AppContext& context, QWidget* owner, const QString& title, const QStringList& lines,
              const QString& fileStem = {});
} // namespace ListPrinting
