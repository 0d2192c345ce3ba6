#include "import/ZipParts.h"

#include "import/SheetReader.h"

#include <quazip.h>
#include <quazipfile.h>

ZipParts::Result ZipParts::read(QuaZip& zip, const QString& name, QByteArray& out)
{
    if (!zip.setCurrentFile(name, QuaZip::csInsensitive))
        return Result::Missing;
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        return Result::Damaged;
    QuaZipFileInfo64 info;
    if (file.getFileInfo(&info) && qint64(info.uncompressedSize) > SheetReader::kMaxPartBytes)
        return Result::TooLarge;
    out.clear();
    // The size in the header may lie: the unpacked bytes are counted as they come.
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0)
            return Result::Damaged;
        if (got == 0)
            break;
        if (out.size() + got > SheetReader::kMaxPartBytes)
            return Result::TooLarge;
        out.append(chunk, got);
    }
    file.close();
    if (file.getZipError() != UNZ_OK)
        return Result::Damaged;
    return Result::Read;
}

QString ZipParts::folderOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash + 1);
}

QString ZipParts::resolve(const QString& folder, const QString& target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    QStringList parts = (folder + target).split(u'/');
    QStringList out;
    for (const QString& p : parts) {
        if (p == u"..") {
            if (!out.isEmpty())
                out.removeLast();
        } else if (p != u"." && !p.isEmpty()) {
            out.append(p);
        }
    }
    return out.join(u'/');
}

QString ZipParts::unescapeOoxml(const QString& text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
            bool ok = false;
            const uint code = QStringView(text).mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                out.append(QChar(char16_t(code)));
                i += 6;
                continue;
            }
        }
        out.append(text[i]);
    }
    return out;
}
