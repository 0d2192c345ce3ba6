#include "search/TrovaCandidati.h"

#include "app/ScreenFlow.h"
#include "groups/ListinoPrezzi.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "privacy/ConsentStore.h"
#include "registry/Candidati.h"
#include "search/Figure.h"
#include "search/PannelloRiepilogo.h"
#include "search/RicercaSchede.h"
#include "storage/ArchiveError.h"
#include "storage/TextRules.h"
#include "widgets/EnterKeyOrder.h"
#include "widgets/FocusHighlight.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

QString TfrmTrovaCandidati::s_lastFind;

namespace {

struct Filtro {
    const char* label;
    TSchedaAnagrafica::Campo campo;
    const char* halo;
};

// Row by row, left column first: also the order of the Enter ring and of the tab order.
constexpr Filtro kFiltri[] = {
    {"Cognome e nome:", TSchedaAnagrafica::Candidato, "effCampo01"},
    {"Data di nascita (gg/mm/aaaa):", TSchedaAnagrafica::DataNasc, "effCampo02"},
    {"Cittadinanza:", TSchedaAnagrafica::Cittadinanza, "effCampo09"},
    {"Luogo di nascita:", TSchedaAnagrafica::LuogoNasc, "effCampo10"},
    {"Codice fiscale:", TSchedaAnagrafica::CodFisc, "effCampo05"},
    {"Settore professionale:", TSchedaAnagrafica::Settore, "effCampo06"},
    {"Lingue conosciute:", TSchedaAnagrafica::Lingue, "effCampo07"},
    {"Competenze informatiche:", TSchedaAnagrafica::Competenze, "effCampo08"},
    {"Disponibilit\u00E0:", TSchedaAnagrafica::Disponibilita, "effCampo03"},
    {"Note:", TSchedaAnagrafica::Note, "effCampo04"},
};

} // namespace

TfrmTrovaCandidati::TfrmTrovaCandidati(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Trova schede anagrafiche in archivio"),
                      QSize(862, 560), WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmTrovaCandidati"));
    Looks::setSteelBlueGradient(this);
    const QPoint panelOrigin((862 - PannelloRiepilogo::kLarghezza) / 2,
                             (560 - PannelloRiepilogo::kAltezza) / 2);

    m_panAvvio = new QWidget(this);
    m_panAvvio->setObjectName(QStringLiteral("panAvvio"));
    m_panAvvio->setAccessibleName(QStringLiteral("Filtri di ricerca"));
    m_panAvvio->setGeometry(
        QRect(panelOrigin, QSize(PannelloRiepilogo::kLarghezza, PannelloRiepilogo::kAltezza)));
    creaFiltri();

    PannelloRiepilogo::Aspetto aspetto;
    aspetto.logo = QStringLiteral(":/pictures/trova_logo.svg");
    aspetto.nomeIstruzioni = QStringLiteral("icoIstruzioni01");
    aspetto.rigo03 = QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda");
    aspetto.conteggio = true;
    aspetto.titoloStampa = QStringLiteral("Riepilogo schede anagrafiche in archivio");
    m_panContainer = new PannelloRiepilogo(m_context, this, aspetto, s_lastFind);
    m_panContainer->move(panelOrigin);
    m_panContainer->hide();
    m_panContainer->setRichiamo(
        [this](const TSchedaAnagrafica& scheda, int position) { richiamaScheda(scheda, position); });
    connect(m_panContainer, &PannelloRiepilogo::chiusuraRichiesta, this, &QWidget::close);
}

void TfrmTrovaCandidati::creaFiltri()
{
    QWidget* pan = m_panAvvio;
    Figure::cornice(pan, QStringLiteral("shpSpiega"), QRect(0, 0, 833, 84), QStringLiteral("Spiegazione"));
    new Picture(pan, QStringLiteral("imgSpiega"), QStringLiteral(":/pictures/trova_spiega.svg"),
                QRect(8, 6, 817, 72), QStringLiteral("Compilare uno o pi\u00F9 campi e premere Cerca"));
    Figure::forma(pan, QStringLiteral("shpSfondoCampi"), QRect(0, 94, 833, 368),
                  QStringLiteral("border: 1px solid white; border-radius: 6px; background: "
                                 "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #B0C4DE, stop:1 #F0F8FF);"),
                  QStringLiteral("Campi di ricerca"));
    new Picture(pan, QStringLiteral("imgTrova01"), QStringLiteral(":/pictures/trova_01.svg"),
                QRect(12, 110, 110, 336), QStringLiteral("Ricerca in archivio"));

    const QFont labelFont = Looks::font(QStringLiteral("Verdana"), 10, true);
    const QFont fieldFont = Looks::font(QStringLiteral("Verdana"), 12, true);
    auto* enter = new EnterKeyOrder(this);
    QList<QWidget*> ring;
    for (int i = 0; i < int(std::size(kFiltri)); ++i) {
        const Filtro& filtro = kFiltri[i];
        const QString name = QString::fromLatin1(TSchedaAnagrafica::layoutOf(filtro.campo).name);
        const QString caption = QString::fromUtf8(filtro.label);
        const int x = (i % 2 == 0) ? 136 : 488;
        const int y = 108 + (i / 2) * 68;
        QLabel* label = Looks::label(pan, QStringLiteral("lbl") + name, caption, labelFont, x, y);
        Looks::setTextColour(label, Looks::kDarkBlue);

        auto* field = new QLineEdit(pan);
        field->setObjectName(QStringLiteral("txt") + name);
        field->setGeometry(x, y + 22, 320, 28);
        field->setFont(fieldFont);
        field->setAccessibleName(caption.chopped(1));
        label->setBuddy(field);
        FocusHighlight::attachHalo(field, QString::fromLatin1(filtro.halo));
        m_filtri.emplace_back(filtro.campo, field);
        ring.append(field);
    }
    enter->chain(ring, true);

    m_chkSenzaConsenso = new QCheckBox(QStringLiteral("Senza consenso"), pan);
    m_chkSenzaConsenso->setObjectName(QStringLiteral("chkSenzaConsenso"));
    m_chkSenzaConsenso->setAccessibleName(m_chkSenzaConsenso->text());
    m_chkSenzaConsenso->setAccessibleDescription(
        QStringLiteral("Solo le schede senza consenso al trattamento dei dati registrato"));
    m_chkSenzaConsenso->setToolTip(m_chkSenzaConsenso->accessibleDescription());
    m_chkSenzaConsenso->setFont(labelFont);
    Looks::setTextColour(m_chkSenzaConsenso, Looks::kDarkBlue);
    m_chkSenzaConsenso->setGeometry(136, 434, 672, 24);

    m_btnAnnulla =
        Figure::pulsante(pan, QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), QRect(0, 479, 130, 38));
    m_btnCerca =
        Figure::pulsante(pan, QStringLiteral("btnCerca"), QStringLiteral("Cerca"), QRect(703, 479, 130, 38));
    m_lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), pan);
    m_lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    m_lblAttendere->setGeometry(140, 486, 553, 24);
    m_lblAttendere->setAlignment(Qt::AlignCenter);
    m_lblAttendere->setFont(Looks::font(QStringLiteral("Verdana"), 12, true));
    Looks::setTextColour(m_lblAttendere, Looks::kDarkCyan);
    m_lblAttendere->hide();

    m_lblConta = new QLabel(QStringLiteral("0"), pan);
    m_lblConta->setObjectName(QStringLiteral("lblConta"));
    m_lblConta->hide();
    m_lblMemory = new QLabel(pan);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();

    for (qsizetype i = 0; i + 1 < ring.size(); ++i)
        setTabOrder(ring.at(i), ring.at(i + 1));
    setTabOrder(ring.last(), m_chkSenzaConsenso);
    setTabOrder(m_chkSenzaConsenso, m_btnAnnulla);
    setTabOrder(m_btnAnnulla, m_btnCerca);

    connect(m_btnAnnulla, &QPushButton::clicked, this, &QWidget::close);
    connect(m_btnCerca, &QPushButton::pressed, this, &TfrmTrovaCandidati::btnCercaMouseDown);
    connect(m_btnCerca, &QPushButton::clicked, this, &TfrmTrovaCandidati::btnCercaClick);
}

void TfrmTrovaCandidati::showEvent(QShowEvent* event)
{
    SecondaryScreen::showEvent(event);
    if (event->spontaneous())
        return;
    s_lastFind.clear();
    m_panContainer->txtTrova()->clear();
    m_filtri.front().second->setFocus();
}

void TfrmTrovaCandidati::done(int result)
{
    m_panContainer->svuota();
    m_lblAttendere->hide();
    SecondaryScreen::done(result);
}

void TfrmTrovaCandidati::btnCercaMouseDown()
{
    m_lblAttendere->show();
    // The scan keeps the event loop busy: paint the notice now.
    m_lblAttendere->repaint();
}

void TfrmTrovaCandidati::btnCercaClick()
{
    btnCercaMouseDown();
    RicercaSchede::Filtri filtri;
    for (const auto& [campo, field] : m_filtri)
        filtri.imposta(campo, field->text());
    const bool senzaConsenso = m_chkSenzaConsenso->isChecked();
    m_lblConta->setText(QString::number(filtri.richiesti() + (senzaConsenso ? 1 : 0)));

    m_panContainer->svuota();
    ResultLines lines;
    try {
        const QString archivio = TSchedaAnagrafica::archivio(m_context.programFolder);
        if (senzaConsenso) {
            const ConsentBook consensi = ConsentStore::read(m_context.programFolder);
            const QString avviso = ConsentStore::warningOnce(consensi);
            if (!avviso.isEmpty())
                m_context.messages->warning(this, avviso);
            lines = RicercaSchede::cercaElenco(archivio, filtri, [&consensi](int position) {
                return !consensi.hasProcessingConsent(position);
            });
        } else {
            lines = RicercaSchede::cercaElenco(archivio, filtri);
        }
    } catch (const std::exception&) {
        m_lblAttendere->hide();
        m_context.messages->plain(this, accessMessage());
        return;
    }
    m_panContainer->mostraRighe(std::move(lines));
    m_panContainer->show();
    m_panAvvio->hide();
    m_panContainer->preparaTrova();
}

void TfrmTrovaCandidati::richiamaScheda(const TSchedaAnagrafica& scheda, int position)
{
    const QString mode = TextRules::trim(m_lblMemory->text());
    if (mode == QLatin1String("candidati")) {
        if (m_context.screens)
            m_context.screens->candidati()->caricaScheda(scheda, position);
        return;
    }
    const QString prefix = QStringLiteral("persona_");
    if (mode.size() == prefix.size() + 1 && mode.startsWith(prefix)) {
        const char16_t letter = mode.back().unicode();
        if (letter >= u'a' && letter <= u'h')
            consegnaPersona(QChar(u'A' + (letter - u'a')), scheda, position);
    }
}

void TfrmTrovaCandidati::consegnaPersona(QChar slot, const TSchedaAnagrafica& scheda, int position)
{
    if (m_context.screens)
        m_context.screens->listinoPrezzi()->importaPersona(slot, scheda, position);
}
