#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the code page of the archive fields and the export file.
namespace Cp1252 {
// One byte per character (a surrogate pair is one). A character the code page lacks is folded to
// its closest Latin form ("Ș" to "S"); what has none (Chinese, Arabic) becomes '?'.
QByteArray encode(QStringView text);
QString decode(QByteArrayView bytes);
// The byte of one character, or '?' when the code page lacks it.
char encodeChar(QChar c);
} // namespace Cp1252
