#pragma once

#include <QPageLayout>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// The printer, its print dialog and the preview window.
class Printing {
public:
    virtual ~Printing() = default;

    // A printer of its own for one print run, set to the layout, after the print dialog
    // (where the user may also choose a PDF file); null when the user cancels.
    virtual std::unique_ptr<QPrinter> choosePrinter(QWidget* owner, const QPageLayout& layout) = 0;

    // Shows the preview window over owner until it is closed. paint draws the document on the
    // printer it is given: the preview's own, or the one chosen when printing from the window.
    // savePdf is the window's "Salva PDF", given the window to own its dialogs.
    virtual void preview(QWidget* owner, const QPageLayout& layout,
                         const std::function<void(QPrinter&)>& paint,
                         const std::function<void(QWidget*)>& savePdf) = 0;
};

// The platform's print dialog and a preview window offering print, save as PDF, zoom, full screen
// and close.
class QtPrinting final : public Printing {
public:
    std::unique_ptr<QPrinter> choosePrinter(QWidget* owner, const QPageLayout& layout) override;
    void preview(QWidget* owner, const QPageLayout& layout, const std::function<void(QPrinter&)>& paint,
                 const std::function<void(QWidget*)>& savePdf) override;
};
