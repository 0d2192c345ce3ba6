#pragma once

#include "export/SheetWriter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>

#include <memory>

class QuaZip;
class QuaZipFile;

// OpenDocument spreadsheet (.ods): the zip package written with QuaZip straight into a QSaveFile,
// the sheet's XML deflated as it is produced.
class OdsSheetWriter final : public SheetWriter {
public:
    OdsSheetWriter();
    ~OdsSheetWriter() override;
    OdsSheetWriter(const OdsSheetWriter&) = delete;
    OdsSheetWriter& operator=(const OdsSheetWriter&) = delete;

    bool begin(const QString& path, const QString& sheetName, const QStringList& headers,
               const QList<int>& widths) override;
    bool writeRow(const QList<QByteArray>& cells) override;
    bool finish() override;
    void abandon() override;
    QString errorString() const override { return m_error; }

    // Appends UTF-8 text as the content of a text:p element: markup characters escaped, runs of
    // blanks, tabs and line breaks as their elements, so that a reader gets every character back.
    static void appendParagraphText(QByteArray& out, QByteArrayView text);
    // A column of this many characters, as the width the package writes.
    static QByteArray columnWidth(int characters);

private:
    bool fail(const QString& error);
    bool addPart(const QString& name, const QByteArray& bytes, bool compressed);
    bool flush();

    QSaveFile m_target;
    std::unique_ptr<QuaZip> m_zip;
    std::unique_ptr<QuaZipFile> m_content;
    QByteArray m_buffer;
    QString m_error;
};
