#include "widgets/ListScreenFrame.h"

#include "widgets/HintLine.h"
#include "widgets/Looks.h"

#include <QFrame>
#include <QLabel>

ListScreenFrame::ListScreenFrame(QWidget* screen, const QRect& panel, const QRect& strip, const Texts& texts)
{
    Looks::setVerticalGradient(screen, QColor(0x82, 0xAC, 0xCF), Qt::white);
    auto* shpPannello = Looks::shape(screen, QStringLiteral("shpPannello"), panel,
                                     QStringLiteral("background: white; border: 1px solid #b0c4de; "
                                                    "border-radius: 6px;"));
    auto* shpInfo = Looks::shape(screen, QStringLiteral("shpInfo"), strip,
                                 QStringLiteral("background: #6a5acd; border: none; border-radius: 4px;"));
    shpPannello->setAccessibleName(texts.panel);
    shpInfo->setAccessibleName(QStringLiteral("Striscia dei suggerimenti"));

    auto* lblTitolo = Looks::label(screen, QStringLiteral("lblTitolo"), texts.title,
                                   Looks::font(QStringLiteral("Tahoma"), 18, true), 24, 20);
    lblTitolo->setAccessibleName(lblTitolo->text());
    Looks::setTextColour(lblTitolo, Looks::kDarkBlue);
    auto* lblSottotitolo = Looks::label(screen, QStringLiteral("lblSottotitolo"), texts.subtitle,
                                        Looks::font(QStringLiteral("Tahoma"), 10), 26, 52);
    lblSottotitolo->setAccessibleName(lblSottotitolo->text());

    panInfo = HintLine::makeLine(screen, strip.adjusted(10, 0, -10, 0), texts.info);
    hint = new HintLine(panInfo, screen);
    hint->addEmptying(screen);
    hint->addEmptying(shpInfo);
    hint->addEmptying(shpPannello);
}

QLabel* ListScreenFrame::label(QWidget* parent, const char* name, const QRect& geometry,
                               const QString& description)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleDescription(description);
    label->setGeometry(geometry);
    label->setFont(Looks::font(QStringLiteral("Tahoma"), 10));
    Looks::setTextColour(label, Looks::kDarkBlue);
    return label;
}
