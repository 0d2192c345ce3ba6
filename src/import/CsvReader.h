#pragma once

#include "import/SheetSource.h"

// A CSV or tab-separated text file: one sheet.
class CsvReader : public SheetSource {
public:
    explicit CsvReader(QByteArray bytes)
        : m_bytes(std::move(bytes))
    {
    }
    QList<SheetReader::SheetInfo> sheets() override { return {{QStringLiteral("CSV"), true}}; }
    SheetReader::Sheet read(int index, const SheetReader::Progress& progress) override;

    // True when the bytes begin with a UTF-16 byte order mark.
    static bool isUtf16(const QByteArray& bytes);

private:
    QByteArray m_bytes;
};
