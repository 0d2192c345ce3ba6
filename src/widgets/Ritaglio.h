#pragma once

#include "photos/CropFrame.h"
#include "platform/PhotoCropper.h"
#include "widgets/Screen.h"

class CropView;
class QLabel;
class QPushButton;

// The crop window: the photo with the frame of the stored shape. Drag or arrow keys move the
// frame, the wheel or + and - zoom, Enter keeps the crop, Esc keeps the photo as it was.
class TfrmRitaglio : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmRitaglio(AppContext& context, QWidget* owner, const CropRequest& request);

    QRect frame() const { return m_frame.frame(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void aggiornaAvvisi();

    CropRequest m_request;
    CropFrame m_frame;
    CropView* m_imgRitaglio = nullptr;
    QLabel* m_lblVolto = nullptr;
    QLabel* m_lblPiccola = nullptr;
};
