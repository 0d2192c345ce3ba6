#pragma once

#include <QString>
#include <QStringList>

struct AppContext;
class QWidget;
namespace Report {
class PagedDocument;
}

// Previewing and printing a prepared document through the platform's printing layer.
namespace DocumentOutput {
// Documents with at least this many pages show a progress dialog that can stop the output.
inline constexpr int kProgressFromPages = 10;

// Print dialog first, then the pages on the chosen printer. False when the user cancelled the
// dialog or the output; throws Report::Error when the output fails.
bool print(AppContext& context, QWidget* owner, const Report::PagedDocument& document);
// The preview window, until it is closed.
void preview(AppContext& context, QWidget* owner, const Report::PagedDocument& document);
} // namespace DocumentOutput
