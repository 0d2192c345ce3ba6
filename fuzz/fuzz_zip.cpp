// The XLSX and ODS readers on any file content: a damaged or hostile zip gives a message,
// never a crash or a picture of the whole disk in memory.
#include "import/SheetReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("fuzz_zip_%1.xlsx").arg(QCoreApplication::applicationPid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    for (const SheetReader::Sheet& sheet : {SheetReader::readXlsx(path), SheetReader::readOds(path)}) {
        // A sheet is either rows or a message, never both.
        if (sheet.ok() == sheet.rows.isEmpty())
            __builtin_trap();
    }
    return 0;
}
