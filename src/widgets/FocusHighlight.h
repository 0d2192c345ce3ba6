#pragma once

#include <QColor>

class QLineEdit;
class QPainter;
class QWidget;

// The two focus highlights of edit fields.
namespace FocusHighlight {
inline const QColor kAliceBlue{0xF0, 0xF8, 0xFF};
inline const QColor kFocused{0xFF, 0xFF, 0x00};
inline const QColor kBorder{0x87, 0xCE, 0xEB};

// Fill highlight: the field's ground is `normal`, yellow while it has the focus, with a sky-blue frame.
void applyFill(QLineEdit* field, const QColor& normal);
// Halo highlight: a yellow rectangle 4 pixels larger than the field on every side, behind it,
// visible exactly while the field has the focus. The halo is created as the field's sibling.
QWidget* attachHalo(QLineEdit* field, const QString& haloName);
// The dotted frame of a picture command that has the keyboard's focus; nothing when it has not, so
// the unfocused look stays as designed.
void drawFocusMark(QPainter& painter, const QWidget& command);
} // namespace FocusHighlight
