#include "checks/CheckScreenLayout.h"

#include "widgets/EnterKeyOrder.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QDialog>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr QSize kPanel(453, 222);
constexpr QRect kLogo(16, 8, 421, 73);
constexpr QRect kStrip(10, 106, 433, 56);
constexpr QRect kField(22, 114, 254, 40);
constexpr QRect kControlla(292, 116, 138, 36);
constexpr QSize kChiudi(120, 32);
constexpr int kChiudiTop = 176;

// Font sizes of these screens are in pixels, so the texts keep to the panel at any screen resolution.
QFont pixelFont(const QString& family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(name);
    result->setAccessibleName(text);
    result->setFont(pixelFont(QStringLiteral("Arial"), 13, true));
    result->setCursor(Qt::PointingHandCursor);
    result->setGeometry(geometry);
    return result;
}

} // namespace

CheckScreenControls buildCheckScreen(QDialog* screen, const CheckScreenDesign& design)
{
    CheckScreenControls c;

    c.panContainer = new QWidget(screen);
    c.panContainer->setObjectName(QStringLiteral("panContainer"));
    c.panContainer->setGeometry(QRect(
        QPoint((screen->width() - kPanel.width()) / 2, (screen->height() - kPanel.height()) / 2), kPanel));

    c.shpContainer =
        Looks::shape(c.panContainer, QStringLiteral("shpContainer"), QRect(QPoint(0, 0), kPanel),
                     QStringLiteral("background: %1; border: 1px solid #b0c4de; border-radius: 8px;")
                         .arg(design.containerColour.name()));

    c.imgLogo = new Picture(c.panContainer, QStringLiteral("imgLogo"), design.bannerResource, kLogo,
                            design.bannerText);

    c.lblTitolo = new QLabel(design.title, c.panContainer);
    c.lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    c.lblTitolo->setFont(pixelFont(QStringLiteral("Arial"), 12, false));
    Looks::setTextColour(c.lblTitolo, Looks::kDarkBlue);
    c.lblTitolo->setAlignment(Qt::AlignCenter);
    c.lblTitolo->setGeometry(6, kLogo.bottom() + 4, kPanel.width() - 12, kStrip.top() - kLogo.bottom() - 6);

    c.shpCodFisc =
        Looks::shape(c.panContainer, QStringLiteral("shpCodFisc"), kStrip,
                     QStringLiteral("border: none; border-radius: 6px; background: qlineargradient("
                                    "x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 #4682b4, stop: 1 #dbe7f3);"));

    c.field = new QLineEdit(c.panContainer);
    c.field->setObjectName(design.fieldName);
    c.field->setAccessibleName(design.fieldAccessibleName);
    c.field->setFont(pixelFont(QStringLiteral("Courier New"), 20, true));
    c.field->setMaxLength(design.maxLength);
    c.field->setGeometry(kField);

    c.btnControlla =
        button(c.panContainer, QStringLiteral("btnControlla"), QStringLiteral("Controlla"), kControlla);
    c.btnChiudi = button(c.panContainer, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                         QRect(QPoint((kPanel.width() - kChiudi.width()) / 2, kChiudiTop), kChiudi));

    QWidget::setTabOrder(c.field, c.btnControlla);
    QWidget::setTabOrder(c.btnControlla, c.btnChiudi);

    auto* enter = new EnterKeyOrder(screen);
    enter->link(c.field, c.btnControlla);

    QLineEdit* field = c.field;
    const int maxLength = design.maxLength;
    QObject::connect(field, &QLineEdit::textEdited, screen, [field, maxLength](const QString& text) {
        if (field->maxLength() > maxLength && text.size() <= maxLength)
            field->setMaxLength(maxLength);
    });
    return c;
}

void putCheckValue(QLineEdit* field, int maxLength, const QString& value)
{
    field->setMaxLength(std::max<int>(maxLength, static_cast<int>(value.size())));
    field->setText(value);
}
