#include "widgets/FocusHighlight.h"

#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPainter>

namespace {

// Shows the halo while its field has the focus.
class HaloFollower : public QObject {
public:
    HaloFollower(QLineEdit* field, QWidget* halo)
        : QObject(field)
        , m_halo(halo)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            m_halo->setVisible(true);
        else if (event->type() == QEvent::FocusOut)
            m_halo->setVisible(false);
        return false;
    }

private:
    QWidget* m_halo;
};

} // namespace

void FocusHighlight::applyFill(QLineEdit* field, const QColor& normal)
{
    field->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; border: 1px solid %2; "
                                        "color: black; padding: 0px 2px; }"
                                        "QLineEdit:focus { background-color: %3; }")
                             .arg(normal.name(), kBorder.name(), kFocused.name()));
}

QWidget* FocusHighlight::attachHalo(QLineEdit* field, const QString& haloName)
{
    auto* halo = new QFrame(field->parentWidget());
    halo->setObjectName(haloName);
    halo->setGeometry(field->geometry().adjusted(-4, -4, 4, 4));
    // Yellow fill with a border fading from yellow to white.
    halo->setStyleSheet(QStringLiteral("QFrame { background-color: qradialgradient(cx:0.5, cy:0.5, "
                                       "radius:0.75, fx:0.5, fy:0.5, stop:0.8 #FFFF00, stop:1 #FFFFFF);"
                                       " border: 2px solid #FFFF80; border-radius: 3px; }"));
    halo->setAttribute(Qt::WA_TransparentForMouseEvents);
    halo->stackUnder(field);
    halo->setVisible(field->hasFocus());
    new HaloFollower(field, halo);
    return halo;
}

void FocusHighlight::drawFocusMark(QPainter& painter, const QWidget& command)
{
    if (!command.hasFocus())
        return;
    painter.setPen(QPen(command.palette().color(QPalette::Highlight), 2, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(command.rect().adjusted(1, 1, -2, -2));
}
