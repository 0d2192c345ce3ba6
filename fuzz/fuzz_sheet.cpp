// The CSV and HTML readers, the column matching and the preview on any file content.
#include "import/ImportMapping.h"
#include "import/ImportPlan.h"
#include "import/SheetReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const SheetReader::Sheet& sheet : {SheetReader::readCsv(bytes), SheetReader::readHtml(bytes)}) {
        // A sheet is either rows or a message, never both.
        if (sheet.ok() == sheet.rows.isEmpty())
            __builtin_trap();
        if (!sheet.ok())
            continue;
        const ImportMapping mapping = ImportMapping::fromHeaders(sheet.rows.first());
        const QList<ImportPlan::Riga> righe = ImportPlan::prepara(sheet.rows, mapping, {});
        for (const ImportPlan::Riga& riga : righe)
            ImportMapping::card(riga.values);
    }
    return 0;
}
