#include "widgets/CaptionedCombo.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QLabel>

#include <mutex>

namespace {

// Name: "caption: entry"; Value: the chosen entry; the open list is its one child, as in Qt's own.
class CaptionedComboAccessible : public QAccessibleWidget {
public:
    explicit CaptionedComboAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->currentText();
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && !combo()->currentText().isEmpty()) {
            // A caption that is a sentence (a hint) loses its full stop before the choice.
            if (text.endsWith(u'.'))
                text.chop(1);
            return text + QStringLiteral(": ") + combo()->currentText();
        }
        return text;
    }

    int childCount() const override { return 1; }

    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == combo()->view() ? 0 : -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State result = QAccessibleWidget::state();
        result.expandable = true;
        result.expanded = combo()->view()->isVisible();
        return result;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override
    {
        if (actionName != showMenuAction() && actionName != pressAction()) {
            QAccessibleWidget::doAction(actionName);
            return;
        }
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(object()); }
};

QAccessibleInterface* captionedComboAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("CaptionedCombo"))
        return new CaptionedComboAccessible(static_cast<QComboBox*>(object));
    return nullptr;
}

} // namespace

CaptionedCombo::CaptionedCombo(QWidget* parent, const QString& name, const QString& caption, QLabel* label)
    : QComboBox(parent)
{
    static std::once_flag registered;
    std::call_once(registered, [] { QAccessible::installFactory(&captionedComboAccessible); });
    setObjectName(name);
    setAccessibleName(caption);
    if (label)
        label->setBuddy(this);
}
