#include "checks/CodFisc.h"

#include "checks/CheckScreenLayout.h"
#include "checks/ControlloCodiceFiscale.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "storage/TextRules.h"
#include "widgets/Looks.h"
#include "widgets/TextRuleValidator.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

TfrmCodFisc::TfrmCodFisc(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Controllo codice fiscale"), QSize(478, 254),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmCodFisc"));
    Looks::setSteelBlueGradient(this);

    const CheckScreenControls controls = buildCheckScreen(
        this,
        {QStringLiteral("txtCodFisc"), QStringLiteral("Codice fiscale"), ControlloCodiceFiscale::kLunghezza,
         QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
         QStringLiteral(":/pictures/banner_codfisc.svg"), QStringLiteral("Controllo codice fiscale"),
         QColor(0xF0, 0xF8, 0xFF)});
    m_txtCodFisc = controls.field;

    // Blanks and control characters go at both ends; a..z become A..Z, by any route.
    new TextRuleValidator(m_txtCodFisc,
                          [](const QString& text) { return TextRules::upperAZ(TextRules::trim(text)); });
    connect(controls.btnControlla, &QPushButton::clicked, this, &TfrmCodFisc::btnControllaClick);
    connect(controls.btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmCodFisc::setCodice(const QString& codice)
{
    putCheckValue(m_txtCodFisc, ControlloCodiceFiscale::kLunghezza, codice);
}

void TfrmCodFisc::showEvent(QShowEvent* event)
{
    SecondaryScreen::showEvent(event);
    m_txtCodFisc->setFocus(Qt::OtherFocusReason);
}

void TfrmCodFisc::btnControllaClick()
{
    switch (ControlloCodiceFiscale::verifica(m_txtCodFisc->text())) {
    case Verdict::WrongLength:
        m_context.messages->warning(
            this, QStringLiteral(
                      "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."));
        m_txtCodFisc->setFocus(Qt::OtherFocusReason);
        return;
    case Verdict::Valid:
        m_context.messages->information(this, QStringLiteral("Il codice fiscale digitato è VALIDO."));
        break;
    case Verdict::Wrong:
        m_context.messages->warning(this, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."));
        break;
    }
    accept();
}
