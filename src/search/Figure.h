#pragma once

#include <QRect>
#include <QString>

class QFrame;
class QAbstractItemModel;
class QLabel;
class QListView;
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
// A list of result lines on a white ground: one line selected at a time, not editable, lines
// never wrapped nor cut, both scroll bars shown.
QListView* elenco(QWidget* parent, const QString& name, const QRect& geometry, QAbstractItemModel* model,
                  const QString& accessibleName);
} // namespace Figure
