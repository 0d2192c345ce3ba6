#include "storage/ShortStringField.h"

#include "storage/Cp1252.h"
#include "storage/TextRules.h"

#include <algorithm>
#include <cstring>

void ShortStringField::writeBytes(QByteArray& record, int offset, int capacity, QByteArrayView bytes)
{
    Q_ASSERT(offset >= 0 && offset + capacity + 1 <= record.size());
    const auto length = static_cast<int>(std::min<qsizetype>(bytes.size(), capacity));
    char* field = record.data() + offset;
    field[0] = static_cast<char>(length);
    if (length > 0)
        std::memcpy(field + 1, bytes.data(), static_cast<std::size_t>(length));
}

void ShortStringField::write(QByteArray& record, int offset, int capacity, const QString& text)
{
    const QString trimmed = TextRules::trim(text);
    writeBytes(record, offset, capacity, Cp1252::encode(trimmed));
}

QString ShortStringField::read(const QByteArray& record, int offset, int capacity)
{
    Q_ASSERT(offset >= 0 && offset + capacity + 1 <= record.size());
    const char* field = record.constData() + offset;
    const int length = std::min<int>(static_cast<unsigned char>(field[0]), capacity);
    return Cp1252::decode(QByteArrayView(field + 1, length));
}
