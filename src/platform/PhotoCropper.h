#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

// What the crop window is asked: the photo, its reduced copy for the screen, the frame's shape,
// the size that is stored and the frame suggested around the face.
struct CropRequest {
    QImage picture;
    QImage reduced; // the picture at a size for the screen; scale = picture width / reduced width
    QSize shape;
    QSize target; // a frame with fewer pixels is enlarged to it
    QRect suggested;
    bool faceFound = false;
    bool lastCrop = false; // suggested is the crop chosen last for this photo, not a face's frame
};

// The crop window: the user moves and zooms the frame. No cropper in the context (tests, runs
// without a screen) takes the suggested frame.
class PhotoCropper {
public:
    virtual ~PhotoCropper() = default;
    // The frame the user accepts, in the picture's pixels; nothing when the user keeps the
    // photo as it was before.
    virtual std::optional<QRect> choose(QWidget* owner, const CropRequest& request) = 0;
};
