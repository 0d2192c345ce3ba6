#include "groups/GroupScreenFrame.h"

#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QWidget>

ImageButton* costruisciCornice(QWidget* panContainer, const QString& banner, const QString& title)
{
    const QRect all = panContainer->rect();
    Looks::shape(panContainer, QStringLiteral("shpCornice"), all,
                 QStringLiteral("background: #4682b4; border: none; border-radius: 10px;"));
    Looks::shape(panContainer, QStringLiteral("shpPannello"), all.adjusted(12, 12, -12, -12),
                 QStringLiteral("background: white; border: none; border-radius: 8px;"));
    new Picture(panContainer, QStringLiteral("icoIstruzioni"), banner, QRect(142, 24, 710, 120), title);
    return new ImageButton(panContainer, QStringLiteral("imgGuida"), QStringLiteral(":/pictures/guida.svg"),
                           QRect(925, 24, 48, 48), QStringLiteral("Guida"));
}
