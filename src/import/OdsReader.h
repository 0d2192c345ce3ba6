#pragma once

#include "import/NumberFormat.h"
#include "import/SheetSource.h"

#include <QHash>

#include <memory>

class QuaZip;
class QXmlStreamReader;

// An OpenDocument spreadsheet: every cell from its typed value (office:value, office:date-value,
// office:time-value, office:boolean-value) shown through the number style of its cell style.
class OdsReader : public SheetSource {
public:
    explicit OdsReader(const QString& path);
    ~OdsReader() override;
    QList<SheetReader::SheetInfo> sheets() override;
    SheetReader::Sheet read(int index, const SheetReader::Progress& progress) override;

private:
    struct DataStyle {
        QString code;
        bool boolean = false;
        QList<QPair<QString, QString>> maps; // condition ("[>=0]"), style applied
    };
    bool open();
    void readStyles(QXmlStreamReader& xml);
    NumberFormat formatOf(const QString& cellStyle);
    QString codeOf(const QString& dataStyle, int depth = 0) const;

    QString m_path;
    std::unique_ptr<QuaZip> m_zip;
    bool m_opened = false;
    QByteArray m_content;
    QList<SheetReader::SheetInfo> m_sheets;
    QHash<QString, DataStyle> m_dataStyles;
    QHash<QString, QString> m_cellStyles;   // cell style to its data style
    QHash<QString, QString> m_parentStyles; // cell style to its parent
    QHash<QString, bool> m_hiddenTables;    // table style to hidden
    QHash<QString, NumberFormat> m_formats;
};
