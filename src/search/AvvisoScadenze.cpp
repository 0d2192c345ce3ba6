#include "search/AvvisoScadenze.h"

#include "platform/AppContext.h"
#include "platform/ModalRunner.h"
#include "search/ExpiryList.h"
#include "search/ExpirySettings.h"
#include "search/Figure.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QLabel>
#include <QPushButton>

TfrmAvvisoScadenze::TfrmAvvisoScadenze(AppContext& context, QWidget* owner, int count)
    : SecondaryScreen(context, owner, QStringLiteral(" Scadenze dei documenti"), QSize(460, 170),
                      WindowKind::FixedOnCaller)
{
    setObjectName(QStringLiteral("frmAvvisoScadenze"));
    Looks::setSteelBlueGradient(this);

    new Picture(this, QStringLiteral("imgScadenze"), QStringLiteral(":/pictures/scadenze.svg"),
                QRect(20, 24, 64, 64), QStringLiteral("Scadenze"));
    auto* lblAvviso = new QLabel(testo(count, ExpirySettings::kNoticeDays), this);
    lblAvviso->setObjectName(QStringLiteral("lblAvviso"));
    lblAvviso->setAccessibleName(lblAvviso->text());
    lblAvviso->setGeometry(100, 24, 340, 64);
    lblAvviso->setWordWrap(true);
    lblAvviso->setFont(Looks::font(QStringLiteral("Verdana"), 12, true));
    Looks::setTextColour(lblAvviso, Looks::kDarkBlue);

    auto* btnChiudi = Figure::pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                       QRect(20, 116, 130, 36));
    auto* btnApri = Figure::pulsante(this, QStringLiteral("btnApri"), QStringLiteral("Apri l'elenco"),
                                     QRect(290, 116, 150, 36));
    connect(btnChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(btnApri, &QPushButton::clicked, this, [this] {
        m_apriElenco = true;
        close();
    });
    btnApri->setFocus();
}

QString TfrmAvvisoScadenze::testo(int count, int days)
{
    if (count == 1)
        return QStringLiteral("1 documento scade entro %1 giorni").arg(days);
    return QStringLiteral("%1 documenti scadono entro %2 giorni").arg(count).arg(days);
}

bool TfrmAvvisoScadenze::dopoAccesso(AppContext& context, QWidget* owner)
{
    if (!ExpirySettings(context.programFolder).noticeAfterLogin())
        return false;
    int count = 0;
    try {
        count = ExpiryList::expiringSoon(TSchedaAnagrafica::archivio(context.programFolder),
                                         QDate::currentDate(), ExpirySettings::kNoticeDays);
    } catch (const std::exception&) {
        return false; // a notice is no place for an archive failure; the list will report it
    }
    if (count == 0)
        return false;
    TfrmAvvisoScadenze notice(context, owner, count);
    context.modal->run(notice);
    return notice.apriElenco();
}
