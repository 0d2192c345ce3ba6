#include "checks/PartitaIVA.h"

#include "checks/CheckScreenLayout.h"
#include "checks/ControlloPartitaIva.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "widgets/DigitKeyFilter.h"
#include "widgets/Looks.h"

#include <QLineEdit>
#include <QPushButton>

TfrmPartitaIva::TfrmPartitaIva(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Controllo partita IVA"), QSize(480, 254),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmPartitaIva"));
    Looks::setSteelBlueGradient(this);

    const CheckScreenControls controls = buildCheckScreen(
        this,
        {QStringLiteral("txtPartitaIva"), QStringLiteral("Partita IVA"), ControlloPartitaIva::kLunghezza,
         QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
         QStringLiteral(":/pictures/banner_partitaiva.svg"), QStringLiteral("Controllo partita IVA"),
         QColor(Qt::white)});
    m_txtPartitaIva = controls.field;
    // Enter goes on to the Enter order; every key but digits and editing keys is dropped.
    new DigitKeyFilter(m_txtPartitaIva);

    connect(controls.btnControlla, &QPushButton::clicked, this, &TfrmPartitaIva::btnControllaClick);
    connect(controls.btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPartitaIva::setPartitaIva(const QString& numero)
{
    putCheckValue(m_txtPartitaIva, ControlloPartitaIva::kLunghezza, numero);
}

void TfrmPartitaIva::showEvent(QShowEvent* event)
{
    SecondaryScreen::showEvent(event);
    m_txtPartitaIva->setFocus(Qt::OtherFocusReason);
}

void TfrmPartitaIva::btnControllaClick()
{
    const ControlloPartitaIva::Esito esito = ControlloPartitaIva::verifica(m_txtPartitaIva->text());
    switch (esito.verdict) {
    case Verdict::WrongLength:
        m_context.messages->warning(
            this,
            QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
        m_txtPartitaIva->setFocus(Qt::OtherFocusReason);
        return;
    case Verdict::Wrong:
        m_context.messages->warning(
            this, QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                 "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                                 "che lo ha rilasciato."));
        break;
    case Verdict::Valid: {
        const QString ufficio =
            esito.ufficio.isEmpty()
                ? QStringLiteral("Il codice dell'Ufficio IVA che lo ha rilasciato (%1) non è presente "
                                 "nell'elenco del programma.")
                      .arg(esito.codiceUfficio)
                : QStringLiteral("È stato rilasciato dall'Ufficio IVA del Comune di %1.").arg(esito.ufficio);
        m_context.messages->information(
            this, QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n") + ufficio);
        break;
    }
    }
    accept();
}
