#include "search/DaRicontattare.h"

#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "registry/Candidati.h"
#include "search/PannelloRiepilogo.h"
#include "search/RicercaSchede.h"
#include "widgets/Looks.h"

#include <QLineEdit>
#include <QShowEvent>

QString TfrmDaRicontattare::s_lastFind;

TfrmDaRicontattare::TfrmDaRicontattare(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Riepilogo persone da ricontattare"), QSize(862, 560),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmDaRicontattare"));
    Looks::setSteelBlueGradient(this);

    PannelloRiepilogo::Aspetto aspetto;
    aspetto.logo = QStringLiteral(":/pictures/ricontatta_logo.svg");
    aspetto.nomeIstruzioni = QStringLiteral("icoIstruzioni");
    aspetto.rigo03 = QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda");
    aspetto.titoloStampa = QStringLiteral("Riepilogo persone da ricontattare");
    m_panContainer = new PannelloRiepilogo(m_context, this, aspetto, s_lastFind);
    m_panContainer->move((862 - PannelloRiepilogo::kLarghezza) / 2, (560 - PannelloRiepilogo::kAltezza) / 2);
    m_panContainer->setRichiamo([this](const TSchedaAnagrafica& scheda, int position) {
        if (m_context.screens)
            m_context.screens->candidati()->caricaScheda(scheda, position);
    });
    connect(m_panContainer, &PannelloRiepilogo::chiusuraRichiesta, this, &QWidget::close);
}

void TfrmDaRicontattare::showEvent(QShowEvent* event)
{
    SecondaryScreen::showEvent(event);
    if (event->spontaneous())
        return;
    s_lastFind.clear();
    m_panContainer->txtTrova()->clear();
    m_panContainer->mostraRighe(
        RicercaSchede::daRicontattareElenco(TSchedaAnagrafica::archivio(m_context.programFolder)));
    m_panContainer->txtTrova()->setFocus();
}

void TfrmDaRicontattare::done(int result)
{
    m_panContainer->svuota();
    SecondaryScreen::done(result);
}
