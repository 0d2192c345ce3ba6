#pragma once

#include <QAccessible>
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

// Walking a window with the keyboard alone, as a user without a mouse does.
namespace KeyboardWalk {

// The object names met by pressing Tab from the window's current focus until it comes back
// (or `limit` presses): one whole cycle, in order, starting with the focused control.
inline QStringList tabCycle(QWidget* window, int limit = 200)
{
    QStringList names;
    QWidget* first = QApplication::focusWidget();
    if (!first || first->window() != window)
        return names;
    QWidget* current = first;
    for (int i = 0; i < limit; ++i) {
        names.append(current->objectName());
        QTest::keyClick(current, Qt::Key_Tab);
        current = QApplication::focusWidget();
        if (!current || current == first)
            break;
    }
    return names;
}

// What a screen reader says the control is called.
inline QString accessibleName(QWidget* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// True when a screen reader skips the control as decoration.
inline bool hiddenFromReader(QWidget* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return !accessible || accessible->state().invisible;
}

} // namespace KeyboardWalk
