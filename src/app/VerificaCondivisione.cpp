#include "app/VerificaCondivisione.h"

#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "storage/ArchiveError.h"
#include "storage/ShareMounts.h"
#include "widgets/Looks.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

QPushButton* pulsante(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    button->setGeometry(geometry);
    return button;
}

QLabel* testo(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

} // namespace

TfrmVerificaCondivisione::TfrmVerificaCondivisione(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Verifica condivisione"), QSize(520, 330),
                      WindowKind::FixedOnCaller)
{
    setObjectName(QStringLiteral("frmVerificaCondivisione"));
    Looks::setSteelBlueGradient(this);
    testo(
        this, "lblSpiegazione",
        QStringLiteral("Questa verifica dice se la cartella del programma, condivisa in rete, protegge gli "
                       "archivi quando più postazioni li usano insieme.\n\n"
                       "1. Sulla prima postazione premere \"Tieni il blocco di prova\": il blocco resta per "
                       "un minuto.\n"
                       "2. Entro quel minuto, sulla seconda postazione premere \"Verifica\"."),
        QRect(16, 16, 488, 130));
    m_btnTieni =
        pulsante(this, "btnTieni", QStringLiteral("Tieni il blocco di prova"), QRect(16, 156, 240, 32));
    auto* btnVerifica = pulsante(this, "btnVerifica", QStringLiteral("Verifica"), QRect(264, 156, 240, 32));
    m_lblEsito = testo(this, "lblEsito", QString(), QRect(16, 200, 488, 80));
    auto* btnChiudi = pulsante(this, "btnChiudi", QStringLiteral("Chiudi"), QRect(384, 288, 120, 32));
    btnChiudi->setDefault(true);

    m_secondi = new QTimer(this);
    m_secondi->setInterval(1000);
    connect(m_secondi, &QTimer::timeout, this, &TfrmVerificaCondivisione::aggiornaAttesa);
    connect(m_btnTieni, &QPushButton::clicked, this, &TfrmVerificaCondivisione::btnTieniClick);
    connect(btnVerifica, &QPushButton::clicked, this, &TfrmVerificaCondivisione::btnVerificaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, &TfrmVerificaCondivisione::rilascia);
}

TfrmVerificaCondivisione::~TfrmVerificaCondivisione()
{
    rilascia();
}

void TfrmVerificaCondivisione::btnTieniClick()
{
    if (m_probe.holding()) {
        rilascia();
        return;
    }
    try {
        m_probe.hold(m_context.programFolder);
    } catch (const ArchiveError& error) {
        m_context.messages->warning(this, error.messaggio());
        return;
    }
    m_restanti = kDurataSecondi;
    m_btnTieni->setText(QStringLiteral("Rilascia il blocco di prova"));
    m_btnTieni->setAccessibleName(m_btnTieni->text());
    m_secondi->start();
    aggiornaAttesa();
}

void TfrmVerificaCondivisione::aggiornaAttesa()
{
    if (m_restanti <= 0) {
        rilascia();
        return;
    }
    m_lblEsito->setText(QStringLiteral("Blocco di prova tenuto da questa postazione: ancora %1 secondi. "
                                       "Premere ora \"Verifica\" sull'altra postazione.")
                            .arg(m_restanti));
    m_lblEsito->setAccessibleName(m_lblEsito->text());
    --m_restanti;
}

void TfrmVerificaCondivisione::rilascia()
{
    m_secondi->stop();
    if (!m_probe.holding())
        return;
    m_probe.release();
    m_btnTieni->setText(QStringLiteral("Tieni il blocco di prova"));
    m_btnTieni->setAccessibleName(m_btnTieni->text());
    m_lblEsito->setText(QStringLiteral("Blocco di prova rilasciato."));
    m_lblEsito->setAccessibleName(m_lblEsito->text());
}

void TfrmVerificaCondivisione::btnVerificaClick()
{
    // The mount's options count too: a lock that works does not make a client cache safe.
    const ShareProbe::Result result =
        m_probe.check(m_context.programFolder, ShareMounts::warningsFor(m_context.programFolder));
    m_lblEsito->setText(result.message);
    m_lblEsito->setAccessibleName(result.message);
    switch (result.verdict) {
    case ShareProbe::Verdict::Protected:
    case ShareProbe::Verdict::NoHolder:
        m_context.messages->information(this, result.message);
        break;
    case ShareProbe::Verdict::NotProtected:
    case ShareProbe::Verdict::CannotLock:
        m_context.messages->warning(this, result.message);
        break;
    case ShareProbe::Verdict::Failure:
        m_context.messages->error(this, result.message);
        break;
    }
}
