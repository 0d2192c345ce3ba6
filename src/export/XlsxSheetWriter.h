#pragma once

#include "export/SheetWriter.h"

#include <QSaveFile>
#include <QTemporaryDir>

class XlsxLibrary;
struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// Office Open XML (.xlsx) through libxlsxwriter in its constant-memory mode: each row goes to a
// temporary file as soon as it is written. The workbook is assembled in a temporary folder and
// then copied into the target through QSaveFile.
class XlsxSheetWriter final : public SheetWriter {
public:
    XlsxSheetWriter();
    ~XlsxSheetWriter() override;
    XlsxSheetWriter(const XlsxSheetWriter&) = delete;
    XlsxSheetWriter& operator=(const XlsxSheetWriter&) = delete;

    bool begin(const QString& path, const QString& sheetName, const QStringList& headers,
               const QList<int>& widths) override;
    bool writeRow(const QList<QByteArray>& cells) override;
    bool finish() override;
    void abandon() override;
    QString errorString() const override { return m_error; }

    // A failure of libxlsxwriter in Italian; the work folder holds its temporary files.
    static QString libraryError(int error, const QString& workFolder);

private:
    bool fail(const QString& error);
    bool check(int error);

    const XlsxLibrary* m_lib = nullptr;
    QSaveFile m_target;
    QTemporaryDir m_work;
    QString m_workbookPath;
    QByteArray m_workFolder; // kept alive for the library, which holds the pointer
    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_text = nullptr;
    quint32 m_row = 0;
    quint32 m_lastRow = 0; // the last row with a cell, the header's at first
    QString m_error;
};
