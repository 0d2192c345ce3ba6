#include "documents/DocumentScreen.h"

#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/RegionalSettings.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

DocumentScreen::DocumentScreen(AppContext& context, QWidget* owner, const Aspetto& aspetto)
    : SecondaryScreen(context, owner, aspetto.caption, QSize(364, 287), WindowKind::FixedOnCaller)
{
    RegionalSettings::apply();
    Looks::setVerticalGradient(this, QColor(0x42, 0x7A, 0xA8), Qt::white);

    QFrame* panel =
        Looks::shape(this, QStringLiteral("panDocumento"), QRect(12, 12, 340, 206),
                     QStringLiteral("background: white; border: 1px solid #b0c4de; border-radius: 6px;"));
    panel->setAccessibleName(QStringLiteral("Documento"));
    new Picture(this, QStringLiteral("imgDocumento"), aspetto.picture, QRect(28, 56, 112, 112),
                QStringLiteral("Documento da stampare"));
    QLabel* notice = Looks::label(this, QStringLiteral("lblAvviso"), aspetto.notice,
                                  Looks::font(QStringLiteral("Verdana"), 10, true), 152, 60);
    notice->setGeometry(152, 40, 188, 144);
    notice->setWordWrap(true);
    Looks::setTextColour(notice, Looks::kDarkBlue);

    const QFont buttonFont = Looks::font(QStringLiteral("Verdana"), 10, true);
    m_btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    m_btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    m_btnAnnulla->setAccessibleName(m_btnAnnulla->text());
    m_btnAnnulla->setFont(buttonFont);
    m_btnAnnulla->setGeometry(12, 236, 96, 38);
    m_btnSalvaPdf = new QPushButton(QStringLiteral("Salva PDF"), this);
    m_btnSalvaPdf->setObjectName(QStringLiteral("btnSalvaPdf"));
    m_btnSalvaPdf->setAccessibleName(m_btnSalvaPdf->text());
    m_btnSalvaPdf->setFont(buttonFont);
    m_btnSalvaPdf->setGeometry(120, 236, 100, 38);
    m_btnStampa = new QPushButton(aspetto.button, this);
    m_btnStampa->setObjectName(QStringLiteral("btnStampa"));
    m_btnStampa->setAccessibleName(aspetto.button);
    m_btnStampa->setFont(buttonFont);
    m_btnStampa->setGeometry(232, 236, 120, 38);
    m_btnStampa->setDefault(true);

    connect(m_btnAnnulla, &QPushButton::clicked, this, &QWidget::close);
    connect(m_btnSalvaPdf, &QPushButton::clicked, this, [this] { btnSalvaPdfClick(); });
    connect(m_btnStampa, &QPushButton::clicked, this, [this] { btnStampaClick(); });
}

QString failureMessage(const QString& firstLine)
{
    return firstLine + QStringLiteral("\n\r\n\rSi consiglia di ridurre le dimensioni della foto.");
}
