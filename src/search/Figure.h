#pragma once

#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// The pictures, frames and buttons that the search screens are drawn with.
namespace Figure {
// A decorative rectangle drawn by style rules, with a name for screen readers.
QFrame* forma(QWidget* parent, const QString& name, const QRect& geometry, const QString& style,
              const QString& accessibleName);
// A white rectangle with rounded corners.
QFrame* cornice(QWidget* parent, const QString& name, const QRect& geometry, const QString& accessibleName);
// A push button with its caption in Verdana bold.
QPushButton* pulsante(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry);
} // namespace Figure
