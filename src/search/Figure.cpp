#include "search/Figure.h"

#include "widgets/Looks.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>

namespace {

// Enter on a button with the focus presses it. The buttons are not "default" buttons of their
// dialog, so Enter elsewhere (in the list, say) presses nothing.
class InvioPremePulsante : public QObject {
public:
    explicit InvioPremePulsante(QPushButton* button)
        : QObject(button)
        , m_button(button)
    {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        m_button->click();
        return true;
    }

private:
    QPushButton* m_button;
};

} // namespace

QFrame* Figure::forma(QWidget* parent, const QString& name, const QRect& geometry, const QString& style,
                      const QString& accessibleName)
{
    QFrame* shape = Looks::shape(parent, name, geometry, style);
    shape->setAccessibleName(accessibleName);
    return shape;
}

QFrame* Figure::cornice(QWidget* parent, const QString& name, const QRect& geometry,
                        const QString& accessibleName)
{
    return forma(parent, name, geometry,
                 QStringLiteral("background-color: white; border: 1px solid #B0C4DE; border-radius: 6px;"),
                 accessibleName);
}

QPushButton* Figure::pulsante(QWidget* parent, const QString& name, const QString& caption,
                              const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(Looks::font(QStringLiteral("Verdana"), 10, true));
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    new InvioPremePulsante(button);
    return button;
}

QListView* Figure::elenco(QWidget* parent, const QString& name, const QRect& geometry,
                          QAbstractItemModel* model, const QString& accessibleName)
{
    auto* list = new QListView(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setGeometry(geometry);
    list->setModel(model);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setTextElideMode(Qt::ElideNone);
    list->setWordWrap(false);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Looks::setPlainBackground(list->viewport(), Qt::white);
    return list;
}
