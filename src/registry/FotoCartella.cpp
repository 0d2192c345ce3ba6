#include "registry/FotoCartella.h"

#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "registry/FolderPhotoApply.h"
#include "storage/ArchiveError.h"
#include "widgets/HintLine.h"
#include "widgets/ImageButton.h"
#include "widgets/ListScreenFrame.h"
#include "widgets/Looks.h"
#include "widgets/WorkProgress.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr QSize kSchermo(900, 610);
constexpr QRect kPannello(20, 84, 860, 470);
constexpr QRect kStriscia(20, 566, 860, 34);
constexpr int kAltezzaRiga = 102;
const QString kRigaInfo = QStringLiteral("Foto di una cartella nelle schede dell'archivio anagrafico.");

QTableWidgetItem* cella(const QString& text = QString())
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// The card or cards a file matches, as the table shows them.
QString testoScheda(const FolderPhotoRow& row, const RegistryPhotoIndex& indice)
{
    QStringList schede;
    for (const int position : row.cards)
        schede.append(QStringLiteral("%1 (n. %2)").arg(indice.name(position)).arg(position));
    return schede.join(QStringLiteral("\n"));
}

} // namespace

TfrmFotoCartella::TfrmFotoCartella(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Importa foto da cartella"), kSchermo,
                      WindowKind::Fixed)
    , m_scan(new FolderPhotoScan(this))
{
    setObjectName(QStringLiteral("frmFotoCartella"));
    const ListScreenFrame frame(
        this, kPannello, kStriscia,
        {QStringLiteral("Pannello delle foto"), QStringLiteral("FOTO DA UNA CARTELLA"),
         QStringLiteral("File chiamati con il codice fiscale o con cognome e nome della persona"),
         kRigaInfo});
    m_hint = frame.hint;

    auto* cmdCartella = m_hint->addImageButton(
        this, QStringLiteral("cmdCartella"), QStringLiteral(":/pictures/importa_foto.svg"),
        QRect(768, 20, 48, 48),
        QStringLiteral("Sceglie la cartella delle foto, chiamate con il codice fiscale o con il nome della "
                       "persona."));
    auto* cmdEsci = m_hint->addImageButton(
        this, QStringLiteral("cmdEsci"), QStringLiteral(":/pictures/candidati_esci.svg"),
        QRect(824, 20, 48, 48), QStringLiteral("Esci da questo ambiente di lavoro."));
    connect(cmdCartella, &ImageButton::clicked, this, &TfrmFotoCartella::cmdCartellaClick);
    connect(cmdEsci, &ImageButton::clicked, this, &QWidget::close);

    m_lblCartella = ListScreenFrame::label(this, "lblCartella", QRect(32, 92, 836, 20),
                                           QStringLiteral("Cartella delle foto"));
    m_lblCartella->setText(
        QStringLiteral("Cartella: nessuna (premere il pulsante della cartella per sceglierla)"));
    m_lblRiepilogo =
        ListScreenFrame::label(this, "lblRiepilogo", QRect(32, 520, 700, 26), QStringLiteral("Riepilogo"));

    m_grdFoto = new QTableWidget(0, NumeroColonne, this);
    m_grdFoto->setObjectName(QStringLiteral("grdFoto"));
    m_grdFoto->setAccessibleName(QStringLiteral("Foto della cartella e schede corrispondenti"));
    m_grdFoto->setGeometry(32, 116, 836, 398);
    m_grdFoto->setHorizontalHeaderLabels({QStringLiteral("Applica"), QStringLiteral("Foto"),
                                          QStringLiteral("File"), QStringLiteral("Scheda"),
                                          QStringLiteral("Ritaglio"), QStringLiteral("Esito")});
    m_grdFoto->verticalHeader()->hide();
    m_grdFoto->verticalHeader()->setDefaultSectionSize(kAltezzaRiga);
    m_grdFoto->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdFoto->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdFoto->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdFoto->setIconSize(FolderPhotoFiles::kThumbnail);
    m_grdFoto->setColumnWidth(ColApplica, 58);
    m_grdFoto->setColumnWidth(ColFoto, 104);
    m_grdFoto->setColumnWidth(ColFile, 180);
    m_grdFoto->setColumnWidth(ColScheda, 180);
    m_grdFoto->setColumnWidth(ColRitaglio, 82);
    m_grdFoto->horizontalHeader()->setStretchLastSection(true);
    m_hint->addHint(m_grdFoto,
                    QStringLiteral("Spuntare le foto da scrivere nelle schede: le foto che "
                                   "sostituiscono quella presente restano fuori se non spuntate."));
    connect(m_grdFoto, &QTableWidget::itemChanged, this, &TfrmFotoCartella::spuntaCambiata);

    m_cmdApplica = Looks::pushButton(this, QStringLiteral("cmdApplica"), QStringLiteral("Applica"),
                                     QRect(748, 518, 120, 30));
    m_hint->addHint(m_cmdApplica,
                    QStringLiteral("Scrive le foto spuntate nelle schede, ritagliate intorno al volto."));
    m_cmdApplica->setEnabled(false);
    connect(m_cmdApplica, &QPushButton::clicked, this, &TfrmFotoCartella::cmdApplicaClick);

    connect(m_scan, &FolderPhotoScan::examined, this, &TfrmFotoCartella::esaminata);
    connect(m_scan, &FolderPhotoScan::finished, this, &TfrmFotoCartella::fineEsame);

    cmdCartella->setFocusPolicy(Qt::StrongFocus);
    cmdEsci->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(cmdCartella, m_grdFoto);
    setTabOrder(m_grdFoto, m_cmdApplica);
    setTabOrder(m_cmdApplica, cmdEsci);
}

TfrmFotoCartella::~TfrmFotoCartella()
{
    m_scan->stop();
}

void TfrmFotoCartella::cmdCartellaClick()
{
    const QString folder =
        m_context.fileDialogs->chooseFolder(this, QStringLiteral("Scegliere la cartella delle foto"));
    if (!folder.isEmpty())
        apriCartella(folder);
}

void TfrmFotoCartella::apriCartella(const QString& folder)
{
    m_scan->stop();
    m_inEsame = false;
    m_righe.clear();
    m_fotoPresenti.clear();
    m_grdFoto->setRowCount(0);
    m_cmdApplica->setEnabled(false);
    m_lblCartella->setText(QStringLiteral("Cartella: ") + QDir::toNativeSeparators(folder));
    const QStringList paths = FolderPhotoFiles::list(folder);
    if (paths.isEmpty()) {
        aggiornaRiepilogo();
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: la cartella scelta non contiene file."));
        return;
    }
    try {
        m_indice =
            RegistryPhotoIndex::readRegistry(m_context.programFolder, FolderPhotoPlan::baseNames(paths));
    } catch (const ArchiveError& error) {
        m_context.messages->error(this, error.messaggio());
        aggiornaRiepilogo();
        return;
    }
    m_righe = FolderPhotoPlan::rows(paths, m_indice);
    FolderPhotoPlan::decide(m_righe, [this](int position) { return haFoto(position); });
    m_mostrando = true;
    m_grdFoto->setRowCount(int(m_righe.size()));
    for (int row = 0; row < m_righe.size(); ++row) {
        auto* spunta = cella();
        spunta->setData(Qt::AccessibleTextRole, QStringLiteral("Applica ") + m_righe[row].fileName);
        m_grdFoto->setItem(row, ColApplica, spunta);
        m_grdFoto->setItem(row, ColFoto, cella());
        m_grdFoto->setItem(row, ColFile, cella(m_righe[row].fileName));
        m_grdFoto->setItem(row, ColScheda, cella(testoScheda(m_righe[row], m_indice)));
        m_grdFoto->setItem(row, ColRitaglio, cella());
        m_grdFoto->setItem(row, ColEsito, cella());
    }
    m_mostrando = false;
    for (int row = 0; row < m_righe.size(); ++row)
        mostraRiga(row);
    m_inEsame = true;
    aggiornaRiepilogo();
    m_scan->start(paths);
}

void TfrmFotoCartella::esaminata(int index, const PhotoProbe& probe)
{
    if (index < 0 || index >= m_righe.size())
        return;
    m_righe[index].kind = probe.kind;
    m_righe[index].faceInDoubt = probe.faceInDoubt;
    m_mostrando = true;
    const QString& file = m_righe[index].fileName;
    if (!probe.thumbnail.isNull()) {
        QTableWidgetItem* foto = m_grdFoto->item(index, ColFoto);
        foto->setData(Qt::DecorationRole, QPixmap::fromImage(probe.thumbnail));
        foto->setData(Qt::AccessibleTextRole, QStringLiteral("Foto %1, %2 x %3 pixel")
                                                  .arg(file)
                                                  .arg(probe.size.width())
                                                  .arg(probe.size.height()));
    }
    if (!probe.suggestedCrop.isNull()) {
        QTableWidgetItem* ritaglio = m_grdFoto->item(index, ColRitaglio);
        ritaglio->setData(Qt::DecorationRole, QPixmap::fromImage(probe.suggestedCrop));
        ritaglio->setData(Qt::AccessibleTextRole, QStringLiteral("Ritaglio proposto di ") + file);
    }
    m_mostrando = false;
    decidi(index);
}

void TfrmFotoCartella::fineEsame()
{
    m_inEsame = false;
    m_cmdApplica->setEnabled(true);
    aggiornaRiepilogo();
    emit esameConcluso();
}

void TfrmFotoCartella::decidi(int esaminata)
{
    QList<FolderPhotoRow::Outcome> prima;
    QList<bool> spuntePrima;
    for (const FolderPhotoRow& row : m_righe) {
        prima.append(row.outcome);
        spuntePrima.append(row.ticked);
    }
    FolderPhotoPlan::decide(m_righe, [this](int position) { return haFoto(position); });
    for (int row = 0; row < m_righe.size(); ++row) {
        if (row == esaminata || m_righe[row].outcome != prima[row] || m_righe[row].ticked != spuntePrima[row])
            mostraRiga(row);
    }
    aggiornaRiepilogo();
}

void TfrmFotoCartella::mostraRiga(int row)
{
    const FolderPhotoRow& riga = m_righe.at(row);
    m_mostrando = true;
    QTableWidgetItem* spunta = m_grdFoto->item(row, ColApplica);
    if (riga.tickable()) {
        spunta->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        spunta->setCheckState(riga.ticked ? Qt::Checked : Qt::Unchecked);
    } else {
        // No box where nothing can be written.
        spunta->setData(Qt::CheckStateRole, QVariant());
        spunta->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    m_grdFoto->item(row, ColEsito)->setText(FolderPhotoPlan::outcomeText(riga));
    m_mostrando = false;
}

void TfrmFotoCartella::spuntaCambiata(QTableWidgetItem* item)
{
    if (m_mostrando || item->column() != ColApplica)
        return;
    FolderPhotoRow& riga = m_righe[item->row()];
    if (!riga.tickable())
        return;
    riga.ticked = item->checkState() == Qt::Checked;
    aggiornaRiepilogo();
}

bool TfrmFotoCartella::haFoto(int position)
{
    const auto found = m_fotoPresenti.constFind(position);
    if (found != m_fotoPresenti.constEnd())
        return found.value();
    const bool present = FolderPhotoPlan::hasOwnPhoto(m_context.programFolder, position);
    m_fotoPresenti.insert(position, present);
    return present;
}

void TfrmFotoCartella::aggiornaRiepilogo()
{
    if (m_righe.isEmpty()) {
        m_lblRiepilogo->setText(QString());
        return;
    }
    using O = FolderPhotoRow::Outcome;
    int esaminati = 0, nuove = 0, sostituzioni = 0, dubbi = 0, saltati = 0, scritte = 0, spuntate = 0;
    for (const FolderPhotoRow& riga : m_righe) {
        esaminati += riga.kind != PhotoKind::Unknown;
        nuove += riga.outcome == O::Nuova;
        sostituzioni += riga.outcome == O::Sostituisce;
        dubbi +=
            riga.outcome == O::NessunaScheda || riga.outcome == O::PiuSchede || riga.outcome == O::PiuFoto;
        saltati += riga.outcome == O::Saltata;
        scritte += riga.outcome == O::Scritta;
        spuntate += riga.ticked && riga.tickable();
    }
    QString testo = QStringLiteral("%1 file: %2 nuove, %3 sostituzioni, %4 senza scheda certa, %5 saltati")
                        .arg(m_righe.size())
                        .arg(nuove)
                        .arg(sostituzioni)
                        .arg(dubbi)
                        .arg(saltati);
    if (scritte > 0)
        testo += QStringLiteral(", %1 scritte").arg(scritte);
    testo += m_inEsame ? QStringLiteral(". Esame delle foto: %1 di %2...").arg(esaminati).arg(m_righe.size())
                       : QStringLiteral(". Da scrivere: %1.").arg(spuntate);
    m_lblRiepilogo->setText(testo);
}

void TfrmFotoCartella::cmdApplicaClick()
{
    if (m_righe.isEmpty()) {
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: scegliere prima la cartella delle foto."));
        return;
    }
    if (m_inEsame) {
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: attendere la fine dell'esame delle foto."));
        return;
    }
    const int spuntate = int(std::count_if(m_righe.begin(), m_righe.end(),
                                           [](const FolderPhotoRow& r) { return r.ticked && r.tickable(); }));
    if (spuntate == 0) {
        m_context.messages->warning(this, QStringLiteral("Attenzione: nessuna foto \u00E8 spuntata."));
        return;
    }
    FolderPhotoReport report;
    {
        WorkProgress avanzamento(this, QStringLiteral("Scrittura delle foto nelle schede..."), spuntate, true,
                                 m_attesaProgresso);
        report = FolderPhotoApply::apply(m_context.programFolder, m_righe,
                                         [&](int done, int) { return avanzamento.passo(done); });
    }
    for (const int position : report.positions)
        m_fotoPresenti.insert(position, true);
    for (int row = 0; row < m_righe.size(); ++row)
        mostraRiga(row);
    aggiornaRiepilogo();
    m_rapporto = report.text();
    if (!report.positions.isEmpty())
        emit fotoScritte(report.positions);
    // Nothing is left to cancel: the report has only OK.
    m_context.messages->plain(this, m_rapporto);
}
