#include "documents/ExpCandidati.h"

#include "app/HelpTopics.h"
#include "documents/RegistryExport.h"
#include "documents/RegistryTableModel.h"
#include "export/RegistrySheetExport.h"
#include "import/Importa.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/ShellOpener.h"
#include "storage/FileErrorText.h"
#include "storage/TSchedaAnagrafica.h"
#include "widgets/HintLine.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/ReadOnlyRefusal.h"
#include "widgets/WorkProgress.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QProgressDialog>
#include <QShowEvent>
#include <QTableView>

namespace {

constexpr QRect kGriglia(20, 88, 821, 409);
constexpr QRect kStriscia(20, 510, 821, 34);
constexpr int kAltezzaRiga = 21;
constexpr QRect kFormato(412, 30, 150, 24);

using Formato = RegistrySheetExport::Format;

// How the messages name the chosen format: the designed file speaks of Excel, the others of their
// own format, whatever program opens them.
struct FormatWords {
    QString into; // "L'esportazione dei dati <into>"
    QString file; // "Si vuole aprire <file>?"
};

FormatWords wordsFor(Formato formato)
{
    switch (formato) {
    case Formato::Xlsx:
        return {QStringLiteral("nel formato Excel (.xlsx)"), QStringLiteral("il file .xlsx")};
    case Formato::Ods:
        return {QStringLiteral("nel formato OpenDocument (.ods)"), QStringLiteral("il file .ods")};
    case Formato::Xls:
        break;
    }
    return {QStringLiteral("in Excel"), QStringLiteral("il file di Excel")};
}

} // namespace

TfrmExpCandidati::TfrmExpCandidati(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Esportazione archivio anagrafico in Microsoft Excel"),
                      QSize(862, 560), WindowKind::Fixed)
    , m_model(new RegistryTableModel(this))
{
    setObjectName(QStringLiteral("frmExpCandidati"));
    Looks::setVerticalGradient(this, QColor(0x82, 0xAC, 0xCF), Qt::white);

    auto* shpInfo = Looks::shape(this, QStringLiteral("shpInfo"), kStriscia,
                                 QStringLiteral("background: #6a5acd; border: none; border-radius: 4px;"));

    new Picture(this, QStringLiteral("imgLogo"), QStringLiteral(":/pictures/esporta_logo.svg"),
                QRect(20, 12, 520, 64), QStringLiteral("Esportazione in Excel"));
    new Picture(this, QStringLiteral("icoHand"), QStringLiteral(":/pictures/esporta_mano.svg"),
                QRect(630, 22, 44, 44), QStringLiteral("Mano che indica l'esportazione"));

    m_panInfo = HintLine::makeLine(this, kStriscia.adjusted(10, 0, -10, 0),
                                   QStringLiteral("Esportazione archivio in Microsoft Excel."));
    m_hint = new HintLine(m_panInfo, this);
    m_hint->addEmptying(this);
    m_hint->addEmptying(shpInfo);

    const auto comando = [this](const char* name, const char* picture, int x, const QString& hint) {
        return m_hint->addImageButton(this, QString::fromLatin1(name), QString::fromLatin1(picture),
                                      QRect(x, 20, 48, 48), hint);
    };
    m_cmdEsporta = comando("cmdEsporta", ":/pictures/candidati_excel.svg", 680,
                           QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    auto* cmdGuida = comando("cmdGuida", ":/pictures/candidati_guida.svg", 736,
                             QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    auto* cmdEsci = comando("cmdEsci", ":/pictures/candidati_esci.svg", 792,
                            QStringLiteral("Esci da questo ambiente di lavoro."));
    auto* cmdImporta =
        comando("cmdImporta", ":/pictures/importa.svg", 570,
                QStringLiteral("Importa nell'archivio le persone di un foglio di calcolo (CSV, XLSX, "
                               "ODS)."));
    connect(m_cmdEsporta, &ImageButton::clicked, this, &TfrmExpCandidati::cmdEsportaClick);
    connect(cmdImporta, &ImageButton::clicked, this, &TfrmExpCandidati::cmdImportaClick);
    connect(cmdGuida, &ImageButton::clicked, this,
            [this] { HelpTopics::open(m_context, this, HelpTopics::Topic::Esportazione); });
    connect(cmdEsci, &ImageButton::clicked, this, &QWidget::close);

    m_cboFormato = new QComboBox(this);
    m_cboFormato->setObjectName(QStringLiteral("cboFormato"));
    m_cboFormato->setGeometry(kFormato);
    m_cboFormato->addItem(QStringLiteral("Excel (.xls)"), int(Formato::Xls));
    m_cboFormato->addItem(QStringLiteral("Excel (.xlsx)"), int(Formato::Xlsx));
    m_cboFormato->addItem(QStringLiteral("OpenDocument (.ods)"), int(Formato::Ods));
    const QString hintFormato = QStringLiteral("Formato del file esportato.");
    m_cboFormato->setAccessibleName(hintFormato);
    m_hint->addHint(m_cboFormato, hintFormato);

    m_grdRecords = new QTableView(this);
    m_grdRecords->setObjectName(QStringLiteral("grdRecords"));
    m_grdRecords->setAccessibleName(QStringLiteral("Tabella delle schede in archivio"));
    m_grdRecords->setGeometry(kGriglia);
    m_grdRecords->setModel(m_model);
    m_grdRecords->setAlternatingRowColors(true);
    QPalette colori = m_grdRecords->palette();
    colori.setColor(QPalette::Base, Qt::white);
    colori.setColor(QPalette::AlternateBase, QColor(0xE8, 0xF0, 0xF8));
    m_grdRecords->setPalette(colori);
    m_grdRecords->setWordWrap(false);
    m_grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdRecords->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed);
    m_grdRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_grdRecords->verticalHeader()->hide();
    m_grdRecords->verticalHeader()->setMinimumSectionSize(kAltezzaRiga);
    m_grdRecords->verticalHeader()->setDefaultSectionSize(kAltezzaRiga);
    m_grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdRecords->horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < RegistryTableModel::kColumnCount; ++column)
        m_grdRecords->setColumnWidth(column, RegistryTableModel::column(column).width);
}

void TfrmExpCandidati::showEvent(QShowEvent* event)
{
    SecondaryScreen::showEvent(event);
    if (!event->spontaneous())
        riempiTabella();
}

void TfrmExpCandidati::riempiTabella()
{
    // The export waits for the whole table: while it is read the command is unavailable.
    m_caricamento = true;
    m_cmdEsporta->setEnabled(false);
    RegistryTable table;
    {
        std::unique_ptr<WorkProgress> avanzamento;
        table.read(TSchedaAnagrafica::archivio(m_context.programFolder), [&](int done, int total) {
            if (!avanzamento)
                avanzamento = std::make_unique<WorkProgress>(
                    this, QStringLiteral("Lettura delle schede in archivio..."), total, false,
                    m_attesaProgresso);
            avanzamento->passo(done);
        });
    }
    // A failure ends the reading without a word: the rows read until then are shown.
    m_model->setTable(std::move(table));
    m_caricamento = false;
    m_cmdEsporta->setEnabled(true);
}

void TfrmExpCandidati::confermaModifica()
{
    // Leaving the current cell commits and closes its editor, if one is open.
    const QModelIndex current = m_grdRecords->currentIndex();
    if (!current.isValid())
        return;
    m_grdRecords->setCurrentIndex(QModelIndex());
    m_grdRecords->setCurrentIndex(current);
}

void TfrmExpCandidati::cmdEsportaClick()
{
    if (m_caricamento)
        return;
    confermaModifica();
    if (m_model->table().cardCount() == 0) {
        m_context.messages->warning(
            this, QStringLiteral("L'archivio è vuoto: non ci sono schede da esportare.\r\n\r\nIl file "
                                 "esportato in precedenza resta com'è."));
        return;
    }
    const auto formato = Formato(m_cboFormato->currentData().toInt());
    const FormatWords words = wordsFor(formato);
    if (!m_context.messages->question(
            this, QStringLiteral("L'esportazione dei dati %1 pu\u00F2 richiedere diversi minuti a seconda "
                                 "del numero di schede presenti in archivio.\r\n\r\n"
                                 "Si vuole esportare i dati adesso?")
                      .arg(words.into)))
        return;

    const QString path = RegistrySheetExport::path(m_context.programFolder, formato);
    const QString& file = words.file;
    RegistryExport::Outcome outcome;
    QString perche;
    {
        const RegistryTable& table = m_model->table();
        WorkProgress avanzamento(this, QStringLiteral("Esportazione delle schede in corso..."),
                                 table.rowCount(), true, m_attesaProgresso);
        outcome = RegistrySheetExport::save(
            formato, path, table, [&](int done, int) { return avanzamento.passo(done); }, &perche);
    }
    if (outcome == RegistryExport::Outcome::Cancelled)
        return; // the previous file stays whole
    if (outcome == RegistryExport::Outcome::Failed) {
        m_context.messages->plain(this, QStringLiteral("Attenzione: il sistema non permette di esportare i "
                                                       "dati%1.\n\r\n\rAccertarsi che %2 non sia "
                                                       "gi\u00E0 aperto. Il file esportato in precedenza "
                                                       "resta com'\u00E8.")
                                            .arg(FileErrorText::inParentheses(perche), file));
        return;
    }
    if (m_context.messages->question(this, QStringLiteral("Le schede in archivio sono state esportate con "
                                                          "successo.\r\n\r\nSi vuole aprire %1?")
                                               .arg(file)))
        m_context.shell->open(path);
}

void TfrmExpCandidati::cmdImportaClick()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    TfrmImporta screen(m_context, this);
    m_context.modal->run(screen);
    // The cards added show in the table at once.
    riempiTabella();
}
