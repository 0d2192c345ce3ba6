#include "search/Scadenze.h"

#include "app/HelpTopics.h"
#include "documents/ListPrinting.h"
#include "groups/GroupFiles.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "search/ExpiryList.h"
#include "search/ExpiryModel.h"
#include "search/ExpiryOutput.h"
#include "search/ExpirySettings.h"
#include "search/Figure.h"
#include "search/GroupMembers.h"
#include "storage/ArchiveError.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/RegionalSettings.h"
#include "widgets/WorkProgress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>

#include <memory>
#include <optional>

namespace {

constexpr QSize kClient(940, 640);
// The progress window shows once a scan has lasted this long.
constexpr int kProgressWaitMs = 400;

QLabel* etichetta(QWidget* parent, const QString& name, const QString& text, int x, int y)
{
    QLabel* label = Looks::label(parent, name, text, Looks::font(QStringLiteral("Verdana"), 10, true), x, y);
    Looks::setTextColour(label, Looks::kDarkBlue);
    return label;
}

QSpinBox* giorni(QWidget* parent, const QString& name, const QString& accessibleName, int value, int most,
                 const QRect& geometry)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    box->setRange(0, most);
    box->setValue(value);
    box->setGeometry(geometry);
    box->setFont(Looks::font(QStringLiteral("Verdana"), 12, true));
    return box;
}

} // namespace

TfrmScadenze::TfrmScadenze(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Scadenze dei documenti e compleanni"), kClient,
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmScadenze"));
    RegionalSettings::apply();
    Looks::setSteelBlueGradient(this);

    auto* lblTitolo = new QLabel(QStringLiteral("SCADENZE DEI DOCUMENTI E COMPLEANNI"), this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setAccessibleName(lblTitolo->text());
    lblTitolo->setGeometry(16, 12, 820, 34);
    lblTitolo->setFont(Looks::font(QStringLiteral("Verdana"), 16, true));
    Looks::setTextColour(lblTitolo, Qt::white);

    auto* imgGuida = new ImageButton(this, QStringLiteral("imgGuida"), QStringLiteral(":/pictures/guida.svg"),
                                     QRect(876, 6, 48, 48), QStringLiteral("Guida"));
    imgGuida->setToolTip(QStringLiteral("Visualizza la guida in linea."));
    connect(imgGuida, &ImageButton::clicked, this,
            [this] { HelpTopics::open(m_context, this, HelpTopics::Topic::Scadenze); });

    creaFiltri();
    creaComandi();
}

void TfrmScadenze::creaFiltri()
{
    Figure::cornice(this, QStringLiteral("shpFiltri"), QRect(16, 60, 908, 104), QStringLiteral("Scelte"));

    etichetta(this, QStringLiteral("lblData"), QStringLiteral("Data di riferimento (data del viaggio):"), 28,
              68);
    m_txtData = new QDateEdit(QDate::currentDate(), this);
    m_txtData->setObjectName(QStringLiteral("txtData"));
    m_txtData->setAccessibleName(QStringLiteral("Data di riferimento (data del viaggio)"));
    m_txtData->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_txtData->setCalendarPopup(true);
    m_txtData->setGeometry(28, 90, 200, 30);
    m_txtData->setFont(Looks::font(QStringLiteral("Verdana"), 12, true));

    etichetta(this, QStringLiteral("lblGiorniDocumenti"), QStringLiteral("Documenti, giorni:"), 316, 68);
    m_txtGiorniDocumenti =
        giorni(this, QStringLiteral("txtGiorniDocumenti"),
               QStringLiteral("Documenti in scadenza entro giorni"), 60, 3650, QRect(316, 90, 110, 30));
    etichetta(this, QStringLiteral("lblGiorniCompleanni"), QStringLiteral("Compleanni, giorni:"), 446, 68);
    m_txtGiorniCompleanni =
        giorni(this, QStringLiteral("txtGiorniCompleanni"), QStringLiteral("Compleanni nei prossimi giorni"),
               30, 366, QRect(446, 90, 110, 30));

    etichetta(this, QStringLiteral("lblGruppo"), QStringLiteral("Persone:"), 590, 68);
    m_lstGruppo = new QComboBox(this);
    m_lstGruppo->setObjectName(QStringLiteral("lstGruppo"));
    m_lstGruppo->setAccessibleName(QStringLiteral("Persone"));
    m_lstGruppo->setGeometry(590, 90, 322, 30);
    m_lstGruppo->setFont(Looks::font(QStringLiteral("Verdana"), 10, true));

    m_lblRiepilogo = new QLabel(this);
    m_lblRiepilogo->setObjectName(QStringLiteral("lblRiepilogo"));
    m_lblRiepilogo->setGeometry(28, 128, 740, 28);
    m_lblRiepilogo->setFont(Looks::font(QStringLiteral("Verdana"), 10, true));
    Looks::setTextColour(m_lblRiepilogo, Looks::kDarkCyan);

    m_btnAggiorna = Figure::pulsante(this, QStringLiteral("btnAggiorna"), QStringLiteral("Aggiorna"),
                                     QRect(782, 126, 130, 32));
    connect(m_btnAggiorna, &QPushButton::clicked, this, &TfrmScadenze::btnAggiornaClick);
}

void TfrmScadenze::creaComandi()
{
    m_modello = new ExpiryModel(this);
    m_lstRecords = Figure::elenco(this, QStringLiteral("lstRecords"), QRect(16, 172, 908, 350), m_modello,
                                  QStringLiteral("Elenco delle scadenze"));
    m_lstRecords->installEventFilter(this);
    connect(m_lstRecords, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { apriScheda(index.row()); });

    auto* lblRigo03 = new QLabel(
        QStringLiteral("Fare doppio clic su una voce in elenco, o premere Invio, per richiamare la scheda"),
        this);
    lblRigo03->setObjectName(QStringLiteral("lblRigo03"));
    lblRigo03->setAccessibleName(lblRigo03->text());
    lblRigo03->setGeometry(16, 526, 908, 24);
    lblRigo03->setAlignment(Qt::AlignCenter);
    lblRigo03->setFont(Looks::font(QStringLiteral("Verdana"), 11, true));
    Looks::setTextColour(lblRigo03, Looks::kCrimson);

    m_chkAvviso =
        new QCheckBox(QStringLiteral("Dopo l'accesso avvisa dei documenti che scadono entro %1 giorni")
                          .arg(ExpirySettings::kNoticeDays),
                      this);
    m_chkAvviso->setObjectName(QStringLiteral("chkAvviso"));
    m_chkAvviso->setAccessibleName(m_chkAvviso->text());
    m_chkAvviso->setGeometry(16, 554, 908, 26);
    m_chkAvviso->setFont(Looks::font(QStringLiteral("Verdana"), 10, true));
    Looks::setTextColour(m_chkAvviso, Looks::kDarkBlue);
    m_chkAvviso->setChecked(ExpirySettings(m_context.programFolder).noticeAfterLogin());
    connect(m_chkAvviso, &QCheckBox::clicked, this, &TfrmScadenze::chkAvvisoClick);

    auto* btnChiudi = Figure::pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                       QRect(16, 590, 130, 38));
    auto* btnSalvaPdf = Figure::pulsante(this, QStringLiteral("btnSalvaPdf"), QStringLiteral("Salva PDF"),
                                         QRect(648, 590, 130, 38));
    auto* btnStampa = Figure::pulsante(this, QStringLiteral("btnStampa"), QStringLiteral("Stampa"),
                                       QRect(794, 590, 130, 38));
    connect(btnChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(btnSalvaPdf, &QPushButton::clicked, this, &TfrmScadenze::btnSalvaPdfClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmScadenze::btnStampaClick);

    setTabOrder(m_txtData, m_txtGiorniDocumenti);
    setTabOrder(m_txtGiorniDocumenti, m_txtGiorniCompleanni);
    setTabOrder(m_txtGiorniCompleanni, m_lstGruppo);
    setTabOrder(m_lstGruppo, m_btnAggiorna);
    setTabOrder(m_btnAggiorna, m_lstRecords);
    setTabOrder(m_lstRecords, m_chkAvviso);
    setTabOrder(m_chkAvviso, btnChiudi);
    setTabOrder(btnChiudi, btnSalvaPdf);
    setTabOrder(btnSalvaPdf, btnStampa);
}

void TfrmScadenze::setGiorniDocumenti(int days)
{
    m_txtGiorniDocumenti->setValue(days);
}

QStringList TfrmScadenze::righe() const
{
    return m_modello->list() ? m_modello->list()->lines().text : QStringList();
}

void TfrmScadenze::riempiGruppi()
{
    const QString scelto = gruppoScelto();
    m_lstGruppo->clear();
    m_lstGruppo->addItem(QStringLiteral("Tutto l'archivio anagrafico"), QString());
    for (const QString& file : GroupFiles::list(m_context.programFolder))
        m_lstGruppo->addItem(QStringLiteral("Gruppo ") + file.chopped(4), file.chopped(4));
    const int at = m_lstGruppo->findData(scelto);
    m_lstGruppo->setCurrentIndex(at < 0 ? 0 : at);
}

QString TfrmScadenze::gruppoScelto() const
{
    return m_lstGruppo->currentData().toString();
}

void TfrmScadenze::showEvent(QShowEvent* event)
{
    SecondaryScreen::showEvent(event);
    if (event->spontaneous())
        return;
    riempiGruppi();
    btnAggiornaClick();
    m_lstRecords->setFocus();
}

bool TfrmScadenze::btnAggiornaClick()
{
    ExpiryList::Options options;
    options.today = QDate::currentDate();
    options.reference = m_txtData->date();
    options.documentDays = m_txtGiorniDocumenti->value();
    options.birthdayDays = m_txtGiorniCompleanni->value();
    const QString gruppo = gruppoScelto();
    const QString archivio = TSchedaAnagrafica::archivio(m_context.programFolder);

    std::unique_ptr<ExpiryList> elenco;
    try {
        std::optional<GroupMembers> membri;
        if (!gruppo.isEmpty())
            membri = GroupMembers::read(GroupFiles::path(m_context.programFolder, gruppo));
        elenco = std::make_unique<ExpiryList>(options, membri ? &*membri : nullptr);
        WorkProgress avanzamento(this, QStringLiteral("Lettura dell'archivio anagrafico in corso..."), 1000,
                                 true, kProgressWaitMs);
        const bool completo = elenco->scan(archivio, [&avanzamento](int done, int total) {
            return avanzamento.passo(total > 0 ? int(qint64(done) * 1000 / total) : 0);
        });
        if (!completo)
            return false; // stopped by the user: the list shown stays as it was
    } catch (const std::exception&) {
        m_context.messages->plain(this, accessMessage());
        return false;
    }

    m_lblRiepilogo->setText(QStringLiteral("Documenti: %1   Compleanni: %2   Date da verificare: %3")
                                .arg(elenco->documentCount())
                                .arg(elenco->birthdayCount())
                                .arg(elenco->unreadableCount()));
    m_modello->setList(std::move(elenco));
    m_titolo = ExpiryOutput::title(gruppo, options.reference);
    m_nomePdf = ExpiryOutput::pdfStem(gruppo);
    return true;
}

bool TfrmScadenze::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lstRecords && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            apriScheda(m_lstRecords->currentIndex().row());
            return true;
        }
    }
    return SecondaryScreen::eventFilter(watched, event);
}

void TfrmScadenze::apriScheda(int row)
{
    const int position = m_modello->position(row);
    if (position == 0)
        return; // a heading or a blank line
    TSchedaAnagrafica scheda;
    try {
        scheda = ExpiryList::card(TSchedaAnagrafica::archivio(m_context.programFolder), position);
    } catch (const std::exception&) {
        m_context.messages->plain(this, accessMessage());
        return;
    }
    m_scheda = scheda;
    m_schedaAperta = position;
    close();
}

void TfrmScadenze::btnStampaClick()
{
    ListPrinting::stampa(m_context, this, m_titolo, righe());
}

void TfrmScadenze::btnSalvaPdfClick()
{
    try {
        ListPrinting::salvaPdf(m_context, this, m_titolo, righe(), m_nomePdf);
    } catch (const std::exception&) {
        m_context.messages->warning(
            this, QStringLiteral("Attenzione: non \u00E8 stato possibile salvare il file PDF."));
    }
}

void TfrmScadenze::chkAvvisoClick(bool on)
{
    if (ExpirySettings(m_context.programFolder).setNoticeAfterLogin(on))
        return;
    const QSignalBlocker blocker(m_chkAvviso);
    m_chkAvviso->setChecked(!on);
    m_context.messages->warning(
        this, QStringLiteral("Attenzione: non \u00E8 stato possibile salvare l'impostazione nel file %1.")
                  .arg(ExpirySettings::fileName()));
}
