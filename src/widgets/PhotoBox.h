#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

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

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect targetRect() const;

    QImage m_picture;
    QPixmap m_scaled; // the picture at its drawn size, made once per picture and size
};
