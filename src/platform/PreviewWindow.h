#pragma once

#include <QDialog>
#include <QPageLayout>

#include <functional>
#include <memory>

class Printing;
class QPrinter;
class QPrintPreviewWidget;

// The preview of a prepared document: print, save as PDF, zoom, full screen and close, nothing
// else. It opens at 100 % and has a printer of its own.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    // savePdf: the window's "Salva PDF", run over the window; none: no such command.
    PreviewWindow(Printing& printing, QWidget* owner, const QPageLayout& layout,
                  std::function<void(QPrinter&)> paint, std::function<void(QWidget*)> savePdf = {});
    ~PreviewWindow() override;

    QPrintPreviewWidget* previewWidget() const { return m_preview; }

private:
    void print();
    void toggleFullScreen();

    Printing& m_printing;
    QPageLayout m_layout;
    std::function<void(QPrinter&)> m_paint;
    std::function<void(QWidget*)> m_savePdf;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_preview;
};
