#pragma once

#include <QColor>
#include <QLabel>

class ImageButton;

// An underlined link text with the hand cursor: orange while the mouse button is held on it
// or on its icon, dark blue again on release; a click on either emits clicked().
class LinkText : public QLabel {
    Q_OBJECT
public:
    LinkText(QWidget* parent, const QString& name, const QString& text, const QPoint& position);

    static QColor restColour();
    static QColor pressedColour();
    QColor colour() const;
    // The icon beside the text acts as the text itself: a click on it follows the link, and the
    // keyboard and screen readers meet the link once, on the text.
    void attach(ImageButton* icon);
    // Follows the link, as a click does.
    void follow();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setPressed(bool pressed);
    void click();
};
