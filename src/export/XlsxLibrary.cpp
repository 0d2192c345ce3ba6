#include "export/XlsxLibrary.h"

#include "platform/DeepBoundLibrary.h"

namespace {

QString& errorText()
{
    static QString text;
    return text;
}

template <typename Function>
bool resolve(const DeepBoundLibrary& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

XlsxLibrary* load()
{
    static DeepBoundLibrary library;
    if (!library.load(QStringLiteral("xlsxwriter"), QStringLiteral(LXW_SOVERSION))) {
        errorText() = library.errorString();
        return nullptr;
    }
    static XlsxLibrary functions;
    if (!resolve(library, "workbook_new_opt", functions.workbookNewOpt) ||
        !resolve(library, "workbook_add_worksheet", functions.workbookAddWorksheet) ||
        !resolve(library, "workbook_add_format", functions.workbookAddFormat) ||
        !resolve(library, "workbook_close", functions.workbookClose) ||
        !resolve(library, "lxw_workbook_free", functions.workbookFree) ||
        !resolve(library, "format_set_num_format", functions.formatSetNumFormat) ||
        !resolve(library, "format_set_bold", functions.formatSetBold) ||
        !resolve(library, "worksheet_set_column", functions.worksheetSetColumn) ||
        !resolve(library, "worksheet_freeze_panes", functions.worksheetFreezePanes) ||
        !resolve(library, "worksheet_write_string", functions.worksheetWriteString) ||
        !resolve(library, "lxw_strerror", functions.strerror)) {
        errorText() = QStringLiteral("libxlsxwriter lacks a function the export calls");
        return nullptr;
    }
    return &functions;
}

} // namespace

const XlsxLibrary* XlsxLibrary::get()
{
    static const XlsxLibrary* const library = load();
    return library;
}

QString XlsxLibrary::loadError()
{
    get();
    return errorText();
}
