#pragma once

#include <QLabel>
#include <QString>

// A clickable picture with the hand cursor: the image buttons and clickable images of the screens.
class ImageButton : public QLabel {
    Q_OBJECT
public:
    // resource: an SVG or bitmap resource path, drawn scaled to the button's size.
    ImageButton(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
                const QString& accessibleName);

    void setPicture(const QString& resource);

signals:
    void clicked();
    void pressed();
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
