#include "widgets/EnterKeyOrder.h"

#include <QKeyEvent>
#include <QWidget>

EnterKeyOrder::EnterKeyOrder(QObject* parent)
    : QObject(parent)
{
}

void EnterKeyOrder::link(QWidget* from, QWidget* to)
{
    if (!m_next.contains(from))
        from->installEventFilter(this);
    m_next.insert(from, to);
}

void EnterKeyOrder::chain(const QList<QWidget*>& order, bool ring)
{
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        link(order.at(i), order.at(i + 1));
    if (ring && order.size() > 1)
        link(order.last(), order.first());
}

bool EnterKeyOrder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (QWidget* next = m_next.value(watched))
        next->setFocus(Qt::OtherFocusReason);
    return true;
}
