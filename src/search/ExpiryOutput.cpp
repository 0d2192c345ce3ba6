#include "search/ExpiryOutput.h"

#include "search/ExpiryList.h"

#include <QPdfWriter>
#include <QSaveFile>

QString ExpiryOutput::title(const QString& groupName, const QDate& reference)
{
    const QString filter =
        groupName.isEmpty() ? QStringLiteral("intero archivio") : QStringLiteral("gruppo ") + groupName;
    return QStringLiteral("Scadenze e compleanni - %1 - data di riferimento %2")
        .arg(filter, ExpiryList::shortDate(reference));
}

bool ExpiryOutput::savePdf(const Report::PagedDocument& document, const QString& path,
                           const Report::Progress& progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Report::Error("the PDF file cannot be created");
    bool done = false;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Folvara"));
        writer.setTitle(QStringLiteral("Scadenze e compleanni"));
        writer.setResolution(1200);
        done = Report::render(document, writer, progress);
    }
    if (!done) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        throw Report::Error("the PDF file cannot be written");
    return true;
}
