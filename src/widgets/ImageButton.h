#pragma once

#include <QKeySequence>
#include <QLabel>
#include <QString>

// A picture drawn from an SVG or bitmap resource, scaled to its size. The drawing is made
// when the picture is first shown, so that screens created at start-up cost little. A screen
// reader reads it by its accessible name (the words it shows); one without a name is decoration
// and is hidden from the screen reader.
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
// It takes the keyboard focus by Tab and is pressed by Enter or Space; while focused a dotted frame
// is drawn around it, so the unfocused look stays as designed.
class ImageButton : public Picture {
    Q_OBJECT
public:
    ImageButton(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
                const QString& accessibleName);

    // Presses the button as a click does; screen readers reach it as the button's press action.
    void click();
    // Makes this a picture that presses the same command as another control beside it (a picture
    // above its caption): it takes no focus and is hidden from screen readers, so the keyboard and
    // the reader meet the command once, on the other control.
    void makeTwin();
    bool isTwin() const { return m_twin; }
    // A key that presses the button anywhere in its window while the button is shown and enabled;
    // the tooltip shows it, and screen readers read it as the press's key.
    void setShortcut(const QKeySequence& keys);
    QKeySequence shortcut() const { return m_shortcut; }

signals:
    void clicked();
    void pressed();
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_twin = false;
    QKeySequence m_shortcut;
};
