#pragma once

#include "import/SheetSource.h"

// An old Excel workbook (BIFF, .xls), read with FreeXL.
class XlsReader : public SheetSource {
public:
    explicit XlsReader(const QString& path);
    ~XlsReader() override;
    XlsReader(const XlsReader&) = delete;
    XlsReader& operator=(const XlsReader&) = delete;
    QList<SheetReader::SheetInfo> sheets() override;
    SheetReader::Sheet read(int index, const SheetReader::Progress& progress) override;

private:
    bool open();

    QString m_path;
    const void* m_handle = nullptr;
    bool m_opened = false;
    QList<SheetReader::SheetInfo> m_sheets;
};
