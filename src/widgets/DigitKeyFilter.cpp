#include "widgets/DigitKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

DigitKeyFilter::DigitKeyFilter(QLineEdit* field)
    : QObject(field)
{
    field->installEventFilter(this);
}

bool DigitKeyFilter::passes(int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    // Tab, Shift+Tab and Escape leave the field and close the screen: never a keyboard trap.
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    const bool plain = !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    return plain && text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9';
}

bool DigitKeyFilter::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return !passes(key->key(), key->modifiers(), key->text());
}
