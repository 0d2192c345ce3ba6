#pragma once

#include <QByteArray>
#include <QString>

// A text field of capacity N stored as N + 1 bytes: a length byte and the text in Windows-1252.
namespace ShortStringField {
// Trims, encodes, keeps at most 255 then at most N bytes, writes the length byte and the bytes.
// The bytes behind the text keep what the buffer held.
void write(QByteArray& record, int offset, int capacity, const QString& text);
// Writes bytes exactly as given (already encoded, at most N of them).
void writeBytes(QByteArray& record, int offset, int capacity, QByteArrayView bytes);
// The stored text, untrimmed; a length byte beyond the capacity reads N bytes.
QString read(const QByteArray& record, int offset, int capacity);
} // namespace ShortStringField
