#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

// Lets into a number field only Enter, Backspace, Delete, the left and right arrows, the digits
// 0 to 9, and Tab, Shift+Tab and Escape to leave it; every other key press (letters, space, Home,
// End, shortcuts) is dropped.
class DigitKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit DigitKeyFilter(QLineEdit* field);

    static bool passes(int key, Qt::KeyboardModifiers modifiers, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
