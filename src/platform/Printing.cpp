#include "platform/Printing.h"

#include "platform/PreviewWindow.h"

#include <QPrintDialog>
#include <QPrinter>

std::unique_ptr<QPrinter> QtPrinting::choosePrinter(QWidget* owner, const QPageLayout& layout)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(layout);
    QPrintDialog dialog(printer.get(), owner);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

void QtPrinting::preview(QWidget* owner, const QPageLayout& layout,
                         const std::function<void(QPrinter&)>& paint,
                         const std::function<void(QWidget*)>& savePdf)
{
    PreviewWindow window(*this, owner, layout, paint, savePdf);
    window.exec();
}
