#include "import/SheetReader.h"

#include "import/CsvReader.h"
#include "import/HtmlReader.h"
#include "import/OdsReader.h"
#include "import/SheetParts.h"
#include "import/XlsReader.h"
#include "import/XlsxReader.h"

#include <quazip.h>

#include <QFile>
#include <QFileInfo>

#include <memory>

using namespace SheetParts;

namespace {

bool controlHeavy(const QByteArray& start)
{
    int controls = 0;
    for (const char c : start) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 && c != '\n' && c != '\r' && c != '\t')
            ++controls;
    }
    return controls > start.size() / 100;
}

std::unique_ptr<SheetSource> zipSource(const QString& path, QString& error)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        error = kNonFoglio;
        return {};
    }
    const QStringList names = zip.getFileNameList();
    zip.close();
    const auto has = [&names](const char* name) {
        return names.contains(QLatin1String(name), Qt::CaseInsensitive);
    };
    if (has("_rels/.rels") || has("xl/workbook.xml") || has("xl/worksheets/sheet1.xml"))
        return std::make_unique<XlsxReader>(path);
    if (has("content.xml"))
        return std::make_unique<OdsReader>(path);
    error = kNonFoglio;
    return {};
}

// The reader for a file, by what its first bytes say; nothing with a message when none fits.
std::unique_ptr<SheetSource> sourceFor(const QString& path, QString& error)
{
    // Only a regular file, also behind a link: never a device, a pipe or a socket.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        error = kNonApribile;
        return {};
    }
    if (info.size() == 0) {
        error = kVuoto;
        return {};
    }
    if (info.size() > SheetReader::kMaxFileBytes) {
        error = kTroppoGrande;
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential()) {
        error = kNonApribile;
        return {};
    }
    const QByteArray head = file.peek(8);
    if (head.startsWith("PK\x03\x04")) {
        file.close();
        return zipSource(path, error);
    }
    const QByteArray bytes = file.read(SheetReader::kMaxFileBytes + 1);
    if (bytes.size() != info.size()) {
        error = kNonApribile;
        return {};
    }
    if (head.startsWith("\xD0\xCF\x11\xE0")) {
        // A compound file: an old Excel workbook, or an XLSX sealed with a password.
        static const QByteArray sealed = QByteArray("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
        if (bytes.contains(sealed)) {
            error = kProtetto.arg(QStringLiteral("XLSX"));
            return {};
        }
        return std::make_unique<XlsReader>(path);
    }
    if (CsvReader::isUtf16(bytes))
        return std::make_unique<CsvReader>(bytes);
    const QByteArray start = bytes.left(64 * 1024);
    if (start.contains('\0')) {
        error = kNonFoglio;
        return {};
    }
    QByteArray lower = start.left(4096).trimmed().toLower();
    if (lower.startsWith("\xEF\xBB\xBF"))
        lower = lower.mid(3).trimmed();
    if (lower.startsWith('<')) {
        if (start.toLower().contains("<table"))
            return std::make_unique<HtmlReader>(bytes);
        error = kNonFoglio;
        return {};
    }
    // Text with many control codes is not a list of values.
    if (controlHeavy(start)) {
        error = kNonFoglio;
        return {};
    }
    return std::make_unique<CsvReader>(bytes);
}

int firstVisible(const QList<SheetReader::SheetInfo>& list)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].visible)
            return i;
    }
    return 0;
}

} // namespace

QList<SheetReader::SheetInfo> SheetReader::sheets(const QString& path, QString* error)
{
    QString message;
    const std::unique_ptr<SheetSource> source = sourceFor(path, message);
    QList<SheetInfo> list;
    if (source) {
        list = source->sheets();
        message = source->error();
    }
    if (error)
        *error = list.isEmpty() ? message : QString();
    return list;
}

SheetReader::Sheet SheetReader::read(const QString& path, int sheet, const Progress& progress)
{
    QString message;
    const std::unique_ptr<SheetSource> source = sourceFor(path, message);
    if (!source)
        return failure(message);
    const QList<SheetInfo> list = source->sheets();
    if (list.isEmpty())
        return failure(source->error());
    return source->read(sheet < 0 ? firstVisible(list) : sheet, progress);
}

SheetReader::Sheet SheetReader::readXlsx(const QString& path, const Progress& progress)
{
    XlsxReader reader(path);
    const QList<SheetInfo> list = reader.sheets();
    return list.isEmpty() ? failure(reader.error()) : reader.read(firstVisible(list), progress);
}

SheetReader::Sheet SheetReader::readOds(const QString& path, const Progress& progress)
{
    OdsReader reader(path);
    const QList<SheetInfo> list = reader.sheets();
    return list.isEmpty() ? failure(reader.error()) : reader.read(firstVisible(list), progress);
}
