#pragma once

#include "import/NumberFormat.h"
#include "import/SheetSource.h"

#include <QStringList>

#include <memory>

class QuaZip;

// An Excel 2007+ workbook (XLSX, XLSM), found through its package relationships.
class XlsxReader : public SheetSource {
public:
    explicit XlsxReader(const QString& path);
    ~XlsxReader() override;
    QList<SheetReader::SheetInfo> sheets() override;
    SheetReader::Sheet read(int index, const SheetReader::Progress& progress) override;

private:
    bool open();
    bool readSharedStrings();
    void readStyles();

    QString m_path;
    std::unique_ptr<QuaZip> m_zip;
    bool m_opened = false;
    QList<SheetReader::SheetInfo> m_sheets;
    QStringList m_sheetParts;
    QString m_sharedPart;
    QString m_stylesPart;
    bool m_date1904 = false;
    QStringList m_shared;
    bool m_sharedPresent = false;
    QList<NumberFormat> m_styles;
};
