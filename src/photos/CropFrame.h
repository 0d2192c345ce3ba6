#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The crop frame the user moves and zooms over a photo: its aspect is fixed to the shape and it
// always lies inside the picture. Coordinates are the photo's own pixels.
class CropFrame {
public:
    // The smallest frame: about so many pixels wide (whole pixels of the shape).
    static constexpr int kMinimumWidth = 16;
    // One zoom step and one nudge, as shares of the frame.
    static constexpr double kZoomStep = 1.1;
    static constexpr double kNudgeShare = 0.02;

    CropFrame(QSize picture, QSize shape, QRect start);

    QRect frame() const { return m_frame; }
    QSize picture() const { return m_picture; }
    QSize shape() const { return m_shape; }

    void moveBy(QPoint delta);
    // An arrow key: a step of kNudgeShare of the frame's width (at least a pixel) each way given.
    void nudge(int dx, int dy);
    // factor > 1 brings the photo closer (a smaller frame), < 1 takes it away; the centre stays.
    void zoom(double factor);
    void zoomIn() { zoom(kZoomStep); }
    void zoomOut() { zoom(1 / kZoomStep); }
    // True when the frame holds fewer pixels than the target: the crop will be enlarged.
    bool smallerThan(QSize target) const;

private:
    QSize m_picture;
    QSize m_shape;
    QRect m_frame;
};
