#pragma once

#include "import/SheetSource.h"

// The program's own export: an HTML table that spreadsheets open.
class HtmlReader : public SheetSource {
public:
    explicit HtmlReader(QByteArray bytes)
        : m_bytes(std::move(bytes))
    {
    }
    QList<SheetReader::SheetInfo> sheets() override { return {{QStringLiteral("HTML"), true}}; }
    SheetReader::Sheet read(int index, const SheetReader::Progress& progress) override;

private:
    QByteArray m_bytes;
};
