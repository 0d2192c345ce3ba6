#pragma once

#include <QDialog>
#include <QPageLayout>

#include <functional>
#include <memory>

class Printing;
class QPrinter;
class QPrintPreviewWidget;

// The preview of a prepared document: print, zoom, full screen and close, nothing else.
// It opens at 100 % and has a printer of its own.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(Printing& printing, QWidget* owner, const QPageLayout& layout,
                  std::function<void(QPrinter&)> paint);
    ~PreviewWindow() override;

    QPrintPreviewWidget* previewWidget() const { return m_preview; }

private:
    void print();
    void toggleFullScreen();

    Printing& m_printing;
    QPageLayout m_layout;
    std::function<void(QPrinter&)> m_paint;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_preview;
};
