#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

class QAction;

// Holds a picture at its full pixel size and draws it scaled with its proportions,
// centred on a pale blue ground.
class PhotoBox : public QWidget {
    Q_OBJECT
public:
    explicit PhotoBox(QWidget* parent, const QString& name = QString());

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    QImage& picture() { return m_picture; }
    // Call after changing picture() in place.
    void pictureChanged();
    // A picture cut from a whole photo by the frame (in the whole photo's pixels; empty: not
    // known), both kept for a new crop while it is on show.
    void setCropped(const QImage& cropped, const QImage& whole, const QRect& frame = QRect());
    // The photo to crop again: the whole photo the picture was cut from, or the picture itself.
    const QImage& whole() const { return m_whole.isNull() ? m_picture : m_whole; }
    // The frame the picture was cut by from whole(); empty when it is not known.
    QRect lastFrame() const { return m_frame; }
    // "Ritaglia" in the picture's context menu.
    QAction* addCropAction(const QString& name);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect targetRect() const;

    QImage m_picture;
    QImage m_whole;
    QRect m_frame;
    QPixmap m_scaled; // the picture at its drawn size, made once per picture and size
};
