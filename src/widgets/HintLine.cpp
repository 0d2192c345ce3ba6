#include "widgets/HintLine.h"

#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>

HintLine::HintLine(QLabel* line, QObject* parent)
    : QObject(parent)
    , m_line(line)
    , m_height(line->height())
{
}

void HintLine::watch(QWidget* control)
{
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

QLabel* HintLine::makeLine(QWidget* parent, const QRect& geometry, const QString& text)
{
    auto* line = new QLabel(text, parent);
    line->setObjectName(QStringLiteral("panInfo"));
    // A screen reader reads the hint shown; what the line is goes in the description.
    line->setAccessibleDescription(QStringLiteral("Riga dei suggerimenti"));
    line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    line->setFont(Looks::font(QStringLiteral("Tahoma"), 12));
    Looks::setTextColour(line, Qt::white);
    line->setGeometry(geometry);
    return line;
}

ImageButton* HintLine::addImageButton(QWidget* parent, const QString& name, const QString& picture,
                                      const QRect& geometry, const QString& hint)
{
    auto* button = new ImageButton(parent, name, picture, geometry, hint);
    addHint(button, hint);
    return button;
}

void HintLine::addHint(QWidget* control, const QString& hint)
{
    m_hints.insert(control, hint);
    watch(control);
}

void HintLine::addEmptying(QWidget* control)
{
    m_emptying.insert(control);
    watch(control);
}

void HintLine::setText(const QString& text)
{
    m_line->setText(text);
    m_line->adjustSize();
    // Every text keeps the line's own height, so each is drawn centred in the strip as the first.
    if (m_line->height() < m_height)
        m_line->resize(m_line->width(), m_height);
}

bool HintLine::eventFilter(QObject* watched, QEvent* event)
{
    // Tab and Shift+Tab onto a command show its hint as the mouse does.
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        if (byKeyboard && m_hints.contains(static_cast<QWidget*>(watched)))
            setText(m_hints.value(static_cast<QWidget*>(watched)));
        return false;
    }
    if (event->type() != QEvent::MouseMove)
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const auto* move = static_cast<QMouseEvent*>(event);
    // A move over an untracked child reaches its parent: find what is really under the mouse.
    const QWidget* under = widget->childAt(move->position().toPoint());
    if (!under)
        under = widget;
    if (m_hints.contains(under))
        setText(m_hints.value(under));
    else if (m_emptying.contains(under))
        setText(QString());
    return false;
}
