#pragma once

#include "documents/RegistryExport.h"
#include "documents/RegistryTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <memory>

class SheetWriter;

// The registry table exported in the format the user chose: the designed HTML table (.xls), an
// Office Open XML workbook (.xlsx) or an OpenDocument spreadsheet (.ods). The two real
// spreadsheet formats have the designed file's headers and columns with Sesso after the name, as
// the import reads them back, every data cell stored as text.
class RegistrySheetExport {
public:
    enum class Format { Xls, Xlsx, Ods };

    // The columns of the .xlsx and .ods files: their fields and header labels.
    static constexpr int kColumns = RegistryTable::kColumns + 1;
    static const std::array<TSchedaAnagrafica::Campo, kColumns>& fields();
    static QStringList headerLabels();

    // The file of each format in the program folder.
    static QString path(const QString& programFolder, Format format);
    static QString sheetName() { return QStringLiteral("Archivio Anagrafico"); }

    // Replaces the file as a whole: on a failure or a cancel the previous file stays as it was.
    static RegistryExport::Outcome save(Format format, const QString& path, const RegistryTable& table,
                                        const RegistryExport::Progress& progress = {},
                                        QString* errorString = nullptr);
    // The same through any writer, for the tests.
    static RegistryExport::Outcome save(SheetWriter& writer, const QString& path, const RegistryTable& table,
                                        const RegistryExport::Progress& progress = {},
                                        QString* errorString = nullptr);

    static std::unique_ptr<SheetWriter> writer(Format format);

    // The width of each column of the file in characters: its longest value or its header, within
    // bounds.
    static constexpr int kMinWidth = 6;
    static constexpr int kMaxWidth = 60;
    static QList<int> columnWidths(const RegistryTable& table);

    // A cell as UTF-8, from the stored Windows-1252 bytes or a text typed into the table; control
    // codes other than tab, line feed and carriage return, which no sheet can hold, become U+FFFD.
    static void cellText(QByteArray& out, QByteArrayView stored);
    static void cellText(QByteArray& out, QStringView typed);
};
