#pragma once

#include <QString>

#include <xlsxwriter.h>

// The functions of libxlsxwriter that the export uses, loaded at run time. libxlsxwriter and
// QuaZip both export minizip's zip functions under the same names with different meanings: linked
// into one program, libxlsxwriter would call QuaZip's. Loaded deep-bound, it calls its own minizip.
class XlsxLibrary {
public:
    // The library, loaded on the first call; nullptr when it cannot be loaded (see loadError()).
    static const XlsxLibrary* get();
    static QString loadError();

    decltype(&::workbook_new_opt) workbookNewOpt = nullptr;
    decltype(&::workbook_add_worksheet) workbookAddWorksheet = nullptr;
    decltype(&::workbook_add_format) workbookAddFormat = nullptr;
    decltype(&::workbook_close) workbookClose = nullptr;
    decltype(&::lxw_workbook_free) workbookFree = nullptr;
    decltype(&::format_set_num_format) formatSetNumFormat = nullptr;
    decltype(&::format_set_bold) formatSetBold = nullptr;
    decltype(&::worksheet_set_column) worksheetSetColumn = nullptr;
    decltype(&::worksheet_freeze_panes) worksheetFreezePanes = nullptr;
    decltype(&::worksheet_write_string) worksheetWriteString = nullptr;
    decltype(&::lxw_strerror) strerror = nullptr;
};
