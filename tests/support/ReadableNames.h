#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace ReadableNames {

// Every named control of the screen can be told apart by a screen reader: its caption or an
// accessible name. Decorative shapes ("shp...") and Qt's own parts are left out.
inline void check(const QWidget& screen)
{
    for (const QWidget* control : screen.findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")) ||
            name.startsWith(QStringLiteral("shp")))
            continue;
        const auto* label = qobject_cast<const QLabel*>(control);
        const auto* button = qobject_cast<const QPushButton*>(control);
        const bool captioned = (label && !label->text().isEmpty()) || (button && !button->text().isEmpty());
        QVERIFY2(captioned || !control->accessibleName().isEmpty(), qPrintable(name));
    }
}

} // namespace ReadableNames
