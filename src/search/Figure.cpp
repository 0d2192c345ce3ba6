#include "search/Figure.h"

#include "widgets/Looks.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

QLabel* Figure::immagine(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
                         const QString& accessibleName) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(geometry);
    picture->setAccessibleName(accessibleName);
    picture->setAlignment(Qt::AlignCenter);
    // QIcon renders an SVG crisply at any device pixel ratio.
    picture->setPixmap(QIcon(resource).pixmap(geometry.size()));
    return picture;
}

QFrame* Figure::forma(QWidget* parent, const QString& name, const QRect& geometry,
                      const QString& styleSheet) {
    auto* shape = new QFrame(parent);
    shape->setObjectName(name);
    shape->setGeometry(geometry);
    shape->setStyleSheet(styleSheet);
    shape->setFocusPolicy(Qt::NoFocus);
    return shape;
}

QFrame* Figure::cornice(QWidget* parent, const QString& name, const QRect& geometry) {
    return forma(parent, name, geometry,
                 QStringLiteral("QFrame { background-color: white; border: 1px solid #B0C4DE; "
                                "border-radius: 6px; }"));
}

QPushButton* Figure::pulsante(QWidget* parent, const QString& name, const QString& caption,
                              const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(Looks::font(QStringLiteral("Verdana"), 10, true));
    button->setAccessibleName(caption);
    return button;
}
