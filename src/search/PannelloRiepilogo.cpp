#include "search/PannelloRiepilogo.h"

#include "documents/ListPrinting.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "search/Figure.h"
#include "search/ModelloRighe.h"
#include "widgets/EnterKeyOrder.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

PannelloRiepilogo::PannelloRiepilogo(AppContext& context, QWidget* parent, const Aspetto& aspetto,
                                     QString& lastFind)
    : QWidget(parent)
    , m_context(context)
    , m_lastFind(lastFind)
    , m_titoloStampa(aspetto.titoloStampa)
    , m_modello(new ModelloRighe(this))
{
    setObjectName(QStringLiteral("panContainer"));
    setAccessibleName(QStringLiteral("Riepilogo delle schede"));
    resize(kLarghezza, kAltezza);

    new Picture(this, QStringLiteral("imgLogo"), aspetto.logo, QRect(0, 0, 833, 64),
                QStringLiteral("Archivio anagrafico"));

    Figure::cornice(this, QStringLiteral("shpLente"), QRect(16, 76, 46, 40),
                    QStringLiteral("Cornice della lente"));
    new Picture(this, QStringLiteral("imgLente"), QStringLiteral(":/pictures/trova_lente.svg"),
                QRect(23, 80, 32, 32), QStringLiteral("Lente"));

    m_txtTrova = new QLineEdit(this);
    m_txtTrova->setObjectName(QStringLiteral("txtTrova"));
    m_txtTrova->setGeometry(72, 81, 340, 30);
    m_txtTrova->setFont(Looks::font(QStringLiteral("Verdana"), 12, true));
    m_txtTrova->setAccessibleName(QStringLiteral("Testo da trovare nell'elenco"));

    m_btnTrova =
        Figure::pulsante(this, QStringLiteral("btnTrova"), QStringLiteral("Trova"), QRect(422, 78, 110, 36));

    new Picture(this, aspetto.nomeIstruzioni, QStringLiteral(":/pictures/trova_istruzioni.svg"),
                QRect(545, 72, 272, 48), aspetto.rigo03);

    m_lstRecords = new QListView(this);
    m_lstRecords->setObjectName(QStringLiteral("lstRecords"));
    m_lstRecords->setGeometry(16, 126, 801, 273);
    m_lstRecords->setAccessibleName(QStringLiteral("Elenco delle schede"));
    m_lstRecords->setModel(m_modello);
    m_lstRecords->setUniformItemSizes(true);
    m_lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstRecords->setTextElideMode(Qt::ElideNone);
    m_lstRecords->setWordWrap(false);
    m_lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Looks::setPlainBackground(m_lstRecords->viewport(), Qt::white);

    auto* lblRigo03 = new QLabel(aspetto.rigo03, this);
    lblRigo03->setObjectName(QStringLiteral("lblRigo03"));
    lblRigo03->setGeometry(16, 406, 801, 24);
    lblRigo03->setAlignment(Qt::AlignCenter);
    lblRigo03->setFont(Looks::font(QStringLiteral("Verdana"), 11, true));
    Looks::setTextColour(lblRigo03, Looks::kCrimson);

    if (aspetto.conteggio) {
        m_lblTrovate = new QLabel(this);
        m_lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
        m_lblTrovate->setGeometry(16, 434, 801, 24);
        m_lblTrovate->setAlignment(Qt::AlignCenter);
        m_lblTrovate->setFont(Looks::font(QStringLiteral("Verdana"), 11, true));
        Looks::setTextColour(m_lblTrovate, Looks::kDarkCyan);
        aggiornaConteggio();
    }

    m_btnChiudi = Figure::pulsante(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                   QRect(16, 477, 130, 38));
    m_btnStampa = Figure::pulsante(this, QStringLiteral("btnStampa"), QStringLiteral("Stampa"),
                                   QRect(687, 477, 130, 38));
    m_btnSalvaPdf = Figure::pulsante(this, QStringLiteral("btnSalvaPdf"), QStringLiteral("Salva PDF"),
                                     QRect(547, 477, 130, 38));

    setTabOrder(m_txtTrova, m_lstRecords);
    setTabOrder(m_lstRecords, m_btnSalvaPdf);
    setTabOrder(m_btnSalvaPdf, m_btnStampa);
    setTabOrder(m_btnStampa, m_btnTrova);
    setTabOrder(m_btnTrova, m_btnChiudi);

    auto* enter = new EnterKeyOrder(this);
    enter->link(m_txtTrova, m_btnTrova);

    connect(m_btnTrova, &QPushButton::clicked, this, &PannelloRiepilogo::btnTrovaClick);
    connect(m_btnChiudi, &QPushButton::clicked, this, &PannelloRiepilogo::chiusuraRichiesta);
    connect(m_btnStampa, &QPushButton::clicked, this, &PannelloRiepilogo::btnStampaClick);
    connect(m_btnSalvaPdf, &QPushButton::clicked, this,
            [this] { ListPrinting::salvaPdf(m_context, window(), m_titoloStampa, righe()); });
    // Enter picks the person as a double click does.
    connect(m_lstRecords, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        m_lstRecords->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
        lstRecordsDblClick();
    });
}

void PannelloRiepilogo::mostraRighe(ResultLines lines)
{
    m_modello->setRighe(std::move(lines));
    aggiornaConteggio();
}

void PannelloRiepilogo::btnStampaClick()
{
    ListPrinting::stampa(m_context, window(), m_titoloStampa, righe());
}

void PannelloRiepilogo::svuota()
{
    m_modello->svuota();
}

QStringList PannelloRiepilogo::righe() const
{
    return m_modello->righe().all();
}

void PannelloRiepilogo::preparaTrova()
{
    m_txtTrova->clear();
    m_txtTrova->setFocus();
}

void PannelloRiepilogo::aggiornaConteggio()
{
    if (m_lblTrovate)
        m_lblTrovate->setText(
            QStringLiteral("Il presente riepilogo contiene %1 schede").arg(m_modello->righe().size()));
}

void PannelloRiepilogo::btnTrovaClick()
{
    const ResultLines& lines = m_modello->righe();
    if (lines.isEmpty()) {
        m_context.messages->plain(this, QStringLiteral("Ricerca non applicabile: la lista non contiene "
                                                       "nessuna voce."));
        return;
    }
    QItemSelectionModel* selection = m_lstRecords->selectionModel();
    const auto select = [this, selection](int row) {
        const QModelIndex index = m_modello->index(row);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        m_lstRecords->scrollTo(index);
    };
    const QModelIndexList selected = selection->selectedIndexes();
    int row = 0;
    if (selected.isEmpty())
        select(row);
    else
        row = selected.first().row();
    const auto line = [&lines](int i) { return lines.line(i); };
    if (const std::optional<int> found =
            RicercaSchede::trova(int(lines.size()), line, row, m_txtTrova->text(), m_lastFind))
        select(*found);
}

void PannelloRiepilogo::lstRecordsDblClick()
{
    const QModelIndexList selected = m_lstRecords->selectionModel()->selectedIndexes();
    if (!selected.isEmpty()) {
        try {
            const QString line = m_modello->righe().line(selected.first().row());
            RicercaSchede::richiama(TSchedaAnagrafica::archivio(m_context.programFolder), line, m_richiamo);
        } catch (const std::exception&) {
            // The screen closes without a word; what was loaded stays loaded.
        }
    }
    emit chiusuraRichiesta();
}
