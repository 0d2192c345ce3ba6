#pragma once

#include <QByteArray>
#include <QString>

class QuaZip;

// The parts of a zip file (XLSX, ODS), each unpacked whole within SheetReader::kMaxPartBytes.
namespace ZipParts {

enum class Result { Read, Missing, TooLarge, Damaged };

Result read(QuaZip& zip, const QString& name, QByteArray& out);
// The folder of a part ("xl/" for "xl/workbook.xml"), and a relationship's target resolved from it.
QString folderOf(const QString& part);
QString resolve(const QString& folder, const QString& target);
// A text with Excel's escapes "_xHHHH_" turned into their characters ("_x000D_" is a carriage return).
QString unescapeOoxml(const QString& text);

} // namespace ZipParts
