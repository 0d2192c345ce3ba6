#pragma once

#include <QLabel>
#include <QString>

// A picture drawn from an SVG or bitmap resource, scaled to its size. The drawing is made
// when the picture is first shown, so that screens created at start-up cost little.
class Picture : public QLabel {
    Q_OBJECT
public:
    Picture(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
            const QString& accessibleName = QString());

    void setPicture(const QString& resource);
    QString resource() const { return m_resource; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void render();

    QString m_resource;
    bool m_rendered = false;
};

// A clickable picture with the hand cursor: the image buttons and clickable images of the screens.
// Enter and Space press it when it has the keyboard (a button that takes it says so with
// setFocusPolicy).
class ImageButton : public Picture {
    Q_OBJECT
public:
    ImageButton(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
                const QString& accessibleName);

    // Presses the button as a click does; screen readers reach it as the button's press action.
    void click();

signals:
    void clicked();
    void pressed();
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The picture, with a dotted frame while the button has the keyboard.
    void paintEvent(QPaintEvent* event) override;
};
