#pragma once

#include "import/SheetReader.h"

// One spreadsheet file opened by the reader of its format.
class SheetSource {
public:
    virtual ~SheetSource() = default;
    // The sheets in the file's order; an empty list and error() when the file cannot be read.
    virtual QList<SheetReader::SheetInfo> sheets() = 0;
    virtual SheetReader::Sheet read(int index, const SheetReader::Progress& progress) = 0;
    QString error() const { return m_error; }

protected:
    QString m_error;
};
