#pragma once

#include <QHash>
#include <QList>
#include <QObject>

class QWidget;

// The Enter key in an edit field moves the focus to the next control of a fixed order;
// moving the focus onto a button does not press it.
class EnterKeyOrder : public QObject {
    Q_OBJECT
public:
    explicit EnterKeyOrder(QObject* parent);

    // Enter in each control of the list moves to the next; with ring, the last leads to the first.
    void chain(const QList<QWidget*>& order, bool ring);
    void link(QWidget* from, QWidget* to);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QObject*, QWidget*> m_next;
};
