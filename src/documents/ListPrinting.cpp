#include "documents/ListPrinting.h"

#include "documents/DocumentOutput.h"
#include "documents/ListDocument.h"
#include "documents/PdfFile.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "widgets/RegionalSettings.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

// The system's long time format without the time zone that Qt adds to it.
QString longTime(const QTime& time)
{
    static const QRegularExpression zone(QStringLiteral("\\s*t+"));
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(zone);
    return QLocale::system().toString(time, format.trimmed());
}

} // namespace

QString ListPrinting::dateLine(const QDateTime& when)
{
    return QStringLiteral("Stampa eseguita in data ") + RegionalSettings::shortDate(when.date()) +
           QStringLiteral(" alle ore ") + longTime(when.time());
}

void ListPrinting::fill(ListDocument& document, const QString& title, const QStringList& lines,
                        const QDateTime& when)
{
    document.setText(QStringLiteral("txtTitolo"), title);
    document.setText(QStringLiteral("txtPagina"), dateLine(when));
    document.setLines(lines);
    document.prepare();
}

bool ListPrinting::stampa(AppContext& context, QWidget* owner, const QString& title, const QStringList& lines)
{
    try {
        ListDocument document;
        fill(document, title, lines, QDateTime::currentDateTime());
        return DocumentOutput::print(context, owner, document);
    } catch (const std::exception&) {
        context.messages->warning(owner,
                                  QStringLiteral("Attenzione: la stampa non \u00E8 andata a buon fine."));
        return false;
    }
}

QString ListPrinting::pdfName(const QString& title, const QDate& day)
{
    return PdfFile::fileName(title + QLatin1Char(' ') + day.toString(QStringLiteral("dd-MM-yyyy")),
                             QStringLiteral("Elenco"));
}

bool ListPrinting::salvaPdf(AppContext& context, QWidget* owner, const QString& title,
                            const QStringList& lines, const QString& fileStem)
{
    const QDateTime now = QDateTime::currentDateTime();
    ListDocument document;
    fill(document, title, lines, now);
    return DocumentOutput::savePdf(context, owner, document,
                                   pdfName(fileStem.isEmpty() ? title : fileStem, now.date()));
}
