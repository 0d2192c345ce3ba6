#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QRect;
class QWidget;

// Colours, fonts and backgrounds that the screens share.
namespace Looks {
inline const QColor kSteelBlue{0x46, 0x82, 0xB4};
inline const QColor kDarkBlue{0x00, 0x00, 0x8B};
inline const QColor kDarkCyan{0x00, 0x8B, 0x8B};
inline const QColor kCrimson{0xDC, 0x14, 0x3C};
inline const QColor kBrown{0xA5, 0x2A, 0x2A};
inline const QColor kYellow{0xFF, 0xFF, 0x00};

// A vertical gradient from top to bottom that fills the widget whatever its size.
void setVerticalGradient(QWidget* widget, const QColor& top, const QColor& bottom);
void setPlainBackground(QWidget* widget, const QColor& colour);
// The steel-blue to white ground of most screens.
inline void setSteelBlueGradient(QWidget* widget)
{
    setVerticalGradient(widget, kSteelBlue, Qt::white);
}
// size in device-independent pixels, as the screens were designed.
QFont font(const QString& family, int size, bool bold = false);
void setTextColour(QWidget* widget, const QColor& colour);
// A named decorative rectangle at a fixed place, drawn by style rules that apply to it alone
// ("background: white; border: 1px solid #b0c4de;"). It takes no focus.
QFrame* shape(QWidget* parent, const QString& name, const QRect& geometry, const QString& style);
// The rounded white-to-pale-blue panel laid behind groups of controls.
QString softPanelStyle();
// A push button at a fixed place in Verdana 12 bold, with the hand cursor, that Enter does not
// press by default; its accessible name is the caption unless another is given.
QPushButton* pushButton(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                        const QString& accessibleName = QString());
// A label at a fixed place, with the given text and font.
QLabel* label(QWidget* parent, const QString& name, const QString& text, const QFont& font, int x, int y);
} // namespace Looks
