#pragma once

#include "widgets/Screen.h"

#include <QImage>

class PhotoBox;

// The photo of a card shown as large as the display allows; a click closes it.
class TfrmZoom : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmZoom(AppContext& context, QWidget* owner);

    // The picture to show, kept at its full pixel size.
    void setFoto(const QImage& foto);

    QWidget* panContainer() const { return m_panContainer; }
    PhotoBox* imgFoto() const { return m_imgFoto; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centra();

    QWidget* m_panContainer;
    PhotoBox* m_imgFoto;
};
