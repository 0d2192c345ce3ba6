#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class ImageButton;
class QLabel;
class QRect;
class QWidget;

// The one-line hint text of a screen: a command under the mouse writes its hint, the
// background and decorative shapes empty the line, any other control leaves it unchanged.
class HintLine : public QObject {
    Q_OBJECT
public:
    HintLine(QLabel* line, QObject* parent);
    // The label "panInfo" that shows the hints: white Tahoma 12 at the given place, with its text.
    static QLabel* makeLine(QWidget* parent, const QRect& geometry, const QString& text);

    void addHint(QWidget* control, const QString& hint);
    // A new image button whose hint is its accessible name and shows in this line.
    ImageButton* addImageButton(QWidget* parent, const QString& name, const QString& picture,
                                const QRect& geometry, const QString& hint);
    void addEmptying(QWidget* control);
    QString hintOf(const QWidget* control) const { return m_hints.value(control); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* control);
    void setText(const QString& text);

    QLabel* m_line;
    int m_height; // the line's height when made: every text is centred in it
    QHash<const QWidget*, QString> m_hints;
    QSet<const QWidget*> m_emptying;
};
