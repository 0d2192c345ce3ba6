#include "export/XlsxLibrary.h"

#include <QLibrary>

namespace {

// AddressSanitizer refuses deep-bound libraries.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitizer = true;
#else
constexpr bool kSanitizer = false;
#endif
#else
constexpr bool kSanitizer = false;
#endif

QString& errorText()
{
    static QString text;
    return text;
}

template <typename Function> bool resolve(QLibrary& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

XlsxLibrary* load()
{
    if (kSanitizer) {
        errorText() = QStringLiteral("libxlsxwriter cannot be loaded under AddressSanitizer");
        return nullptr;
    }
    static QLibrary library;
    library.setLoadHints(QLibrary::DeepBindHint);
    library.setFileNameAndVersion(QStringLiteral("xlsxwriter"), LXW_SOVERSION);
    if (!library.load()) {
        library.setFileName(QStringLiteral("xlsxwriter"));
        if (!library.load()) {
            errorText() = library.errorString();
            return nullptr;
        }
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
        errorText() = library.errorString();
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
