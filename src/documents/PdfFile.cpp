#include "documents/PdfFile.h"

#include "storage/SafeSave.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>

namespace {

constexpr int kResolution = 1200;

const QByteArray kTab("<0009>");
const QByteArray kBlank("<0020>");

// The destination codes of a bfchar or bfrange section, that is every code but the first one
// (bfchar) or the first two (bfrange) of each line.
void mendSection(QByteArray& pdf, qsizetype from, qsizetype to, int sourceCodes)
{
    qsizetype lineStart = from;
    while (lineStart < to) {
        qsizetype lineEnd = pdf.indexOf('\n', lineStart);
        if (lineEnd < 0 || lineEnd > to)
            lineEnd = to;
        const QByteArray line = pdf.mid(lineStart, lineEnd - lineStart).trimmed();
        // A range of several glyphs onto consecutive characters from a tab is left alone.
        const bool consecutive = sourceCodes == 2 && !line.contains('[') &&
                                 line.left(kTab.size()) != line.mid(kTab.size() + 1, kTab.size());
        int codes = 0;
        for (qsizetype at = pdf.indexOf('<', lineStart);
             !consecutive && at >= 0 && at + kTab.size() <= lineEnd; at = pdf.indexOf('<', at + 1)) {
            if (++codes > sourceCodes && pdf.mid(at, kTab.size()) == kTab)
                pdf.replace(at, kBlank.size(), kBlank);
        }
        lineStart = lineEnd + 1;
    }
}

void mendSections(QByteArray& pdf, const QByteArray& begin, const QByteArray& end, int sourceCodes)
{
    for (qsizetype at = pdf.indexOf(begin); at >= 0; at = pdf.indexOf(begin, at + 1)) {
        const qsizetype stop = pdf.indexOf(end, at);
        if (stop < 0)
            return;
        mendSection(pdf, at + begin.size(), stop, sourceCodes);
    }
}

} // namespace

std::optional<QByteArray> PdfFile::render(const Report::PagedDocument& document, const QString& title,
                                          const Report::Progress& progress)
{
    return write(title, kResolution, [&document, &progress](QPdfWriter& writer) {
        return Report::render(document, writer, progress);
    });
}

std::optional<QByteArray> PdfFile::write(const QString& title, int resolution,
                                         const std::function<bool(QPdfWriter& writer)>& draw)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(resolution);
        writer.setCreator(QStringLiteral("Folvara"));
        writer.setTitle(title);
        if (!draw(writer))
            return std::nullopt;
    }
    mendSpaces(bytes);
    return bytes;
}

void PdfFile::mendSpaces(QByteArray& pdf)
{
    // Same length: the offsets of the file's cross-reference table stay right.
    mendSections(pdf, "beginbfchar", "endbfchar", 1);
    mendSections(pdf, "beginbfrange", "endbfrange", 2);
}

bool PdfFile::mendFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray bytes = file.readAll();
    file.close();
    const QByteArray before = bytes;
    mendSpaces(bytes);
    return bytes == before || save(path, bytes, error);
}

bool PdfFile::save(const QString& path, const QByteArray& bytes, QString* error)
{
    return SafeSave::writeFile(path, bytes, error);
}

QString PdfFile::fileName(const QString& name, const QString& fallback)
{
    static const QRegularExpression refused(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1F]"));
    QString cleaned = QString(name).replace(refused, QStringLiteral(" ")).simplified();
    while (cleaned.endsWith(QLatin1Char('.')))
        cleaned.chop(1);
    cleaned = cleaned.trimmed();
    if (cleaned.isEmpty())
        cleaned = fallback;
    return cleaned + QStringLiteral(".pdf");
}
