#pragma once

#include "photos/CropFrame.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

// Draws a reduced copy of a photo with the crop frame over it, the rest dimmed; dragging moves
// the frame and the wheel zooms. The frame itself is in the photo's own pixels.
class CropView : public QWidget {
    Q_OBJECT
public:
    // scale: photo pixels per pixel of the reduced copy.
    CropView(QWidget* parent, const QImage& reduced, double scale, CropFrame& frame);

    // Call after changing the frame from outside.
    void frameChanged();

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QRect pictureRect() const;
    // Photo pixels per widget pixel.
    double photoPerWidget() const;

    QImage m_reduced;
    double m_scale;
    CropFrame& m_frame;
    QPixmap m_fitted;
    QPointF m_dragFrom;
    QPointF m_dragRest; // the part of a drag below one photo pixel, kept for the next move
    bool m_dragging = false;
};
