#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the code page of the archive fields and the export file.
namespace Cp1252 {
// One byte per character (a surrogate pair is one); a character the code page lacks becomes '?'.
QByteArray encode(QStringView text);
QString decode(QByteArrayView bytes);
// The byte of one character, or '?' when the code page lacks it.
char encodeChar(QChar c);
} // namespace Cp1252
