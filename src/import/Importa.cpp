#include "import/Importa.h"

#include "app/HelpTopics.h"
#include "documents/DocumentOutput.h"
#include "import/ImportPreviewModel.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Printing.h"
#include "storage/ArchiveError.h"
#include "storage/FileErrorText.h"
#include "storage/SafeSave.h"
#include "widgets/HintLine.h"
#include "widgets/ImageButton.h"
#include "widgets/ListScreenFrame.h"
#include "widgets/Looks.h"
#include "widgets/ReadOnlyRefusal.h"
#include "widgets/WorkProgress.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QProgressDialog>
#include <QTableView>
#include <QTableWidget>
#include <QTextDocument>

#include <memory>

namespace {

using C = TSchedaAnagrafica;

constexpr QRect kPannello(20, 84, 821, 418);
constexpr QRect kStriscia(20, 510, 821, 34);
const QString kRigaInfo = QStringLiteral("Importazione di persone da un foglio di calcolo.");

// A label's text; with no name of its own a screen reader reads that text.
void mostra(QLabel* label, const QString& text)
{
    label->setText(text);
}

} // namespace

TfrmImporta::TfrmImporta(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Importazione di persone da un foglio di calcolo"),
                      QSize(862, 560), WindowKind::Fixed)
    , m_model(new ImportPreviewModel(this))
{
    setObjectName(QStringLiteral("frmImporta"));
    const ListScreenFrame frame(
        this, kPannello, kStriscia,
        {QStringLiteral("Pannello dell'importazione"), QStringLiteral("IMPORTAZIONE DA FOGLIO DI CALCOLO"),
         QStringLiteral("CSV, Excel (XLSX, XLS), OpenDocument (ODS) o l'archivio esportato dal programma"),
         kRigaInfo});
    m_panInfo = frame.panInfo;
    m_hint = frame.hint;

    const auto comando = [this](const char* name, const char* picture, int x, const QString& hint) {
        return m_hint->addImageButton(this, QString::fromLatin1(name), QString::fromLatin1(picture),
                                      QRect(x, 20, 48, 48), hint);
    };
    auto* cmdGuida = comando("cmdGuida", ":/pictures/candidati_guida.svg", 456,
                             QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    auto* cmdApri =
        comando("cmdApri", ":/pictures/importa_apri.svg", 512,
                QStringLiteral("Sceglie il file da importare (CSV, XLSX, XLS, ODS o l'archivio esportato)."));
    auto* cmdFoto =
        comando("cmdFoto", ":/pictures/importa_foto.svg", 568,
                QStringLiteral("Sceglie la cartella delle foto, chiamate con il codice fiscale o con "
                               "il nome della persona."));
    auto* cmdImporta = comando("cmdImporta", ":/pictures/importa.svg", 624,
                               QStringLiteral("Aggiunge all'archivio anagrafico le righe spuntate."));
    auto* cmdStampa = comando("cmdStampa", ":/pictures/candidati_stampa.svg", 680,
                              QStringLiteral("Stampa il rapporto dell'ultima importazione."));
    auto* cmdSalvaRapporto =
        comando("cmdSalvaRapporto", ":/pictures/candidati_dischetto.svg", 736,
                QStringLiteral("Salva il rapporto dell'ultima importazione in un file di "
                               "testo."));
    auto* cmdEsci = comando("cmdEsci", ":/pictures/candidati_esci.svg", 792,
                            QStringLiteral("Esci da questo ambiente di lavoro."));
    connect(cmdGuida, &ImageButton::clicked, this,
            [this] { HelpTopics::open(m_context, this, HelpTopics::Topic::Importazione); });
    connect(cmdApri, &ImageButton::clicked, this, &TfrmImporta::cmdApriClick);
    connect(cmdFoto, &ImageButton::clicked, this, &TfrmImporta::cmdFotoClick);
    connect(cmdImporta, &ImageButton::clicked, this, &TfrmImporta::cmdImportaClick);
    connect(cmdStampa, &ImageButton::clicked, this, &TfrmImporta::cmdStampaClick);
    connect(cmdSalvaRapporto, &ImageButton::clicked, this, &TfrmImporta::cmdSalvaRapportoClick);
    connect(cmdEsci, &ImageButton::clicked, this, &QWidget::close);

    m_lblFile =
        ListScreenFrame::label(this, "lblFile", QRect(32, 92, 560, 20), QStringLiteral("File scelto"));
    m_cboFoglio = new QComboBox(this);
    m_cboFoglio->setObjectName(QStringLiteral("cboFoglio"));
    m_cboFoglio->setAccessibleName(QStringLiteral("Foglio da importare"));
    m_cboFoglio->setGeometry(600, 90, 229, 24);
    m_cboFoglio->hide();
    m_hint->addHint(m_cboFoglio, QStringLiteral("Sceglie il foglio della cartella di lavoro da importare."));
    connect(m_cboFoglio, &QComboBox::activated, this,
            [this] { caricaFile(m_fileScelto, m_cboFoglio->currentData().toInt()); });
    m_lblFoto = ListScreenFrame::label(this, "lblFoto", QRect(32, 112, 797, 20),
                                       QStringLiteral("Cartella delle foto"));
    mostra(m_lblFoto, QStringLiteral("Cartella delle foto: nessuna"));
    m_lblRiepilogo =
        ListScreenFrame::label(this, "lblRiepilogo", QRect(32, 474, 797, 22), QStringLiteral("Riepilogo"));

    m_grdColonne = new QTableWidget(0, 3, this);
    m_grdColonne->setObjectName(QStringLiteral("grdColonne"));
    m_grdColonne->setAccessibleName(QStringLiteral("Colonne del file e campi della scheda"));
    m_grdColonne->setGeometry(32, 138, 330, 330);
    m_grdColonne->setHorizontalHeaderLabels({QStringLiteral("Colonna del file"), QStringLiteral("Esempio"),
                                             QStringLiteral("Campo della scheda")});
    m_grdColonne->verticalHeader()->hide();
    m_grdColonne->verticalHeader()->setDefaultSectionSize(24);
    m_grdColonne->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdColonne->setColumnWidth(0, 100);
    m_grdColonne->setColumnWidth(1, 80);
    m_grdColonne->horizontalHeader()->setStretchLastSection(true);
    m_hint->addHint(m_grdColonne,
                    QStringLiteral("Per ogni colonna del file scegliere il campo della scheda che "
                                   "riempie, o \"(non importare)\"."));

    m_grdAnteprima = new QTableView(this);
    m_grdAnteprima->setObjectName(QStringLiteral("grdAnteprima"));
    m_grdAnteprima->setAccessibleName(QStringLiteral("Anteprima delle righe da importare"));
    m_grdAnteprima->setGeometry(372, 138, 457, 330);
    m_grdAnteprima->setModel(m_model);
    m_grdAnteprima->verticalHeader()->hide();
    m_grdAnteprima->verticalHeader()->setDefaultSectionSize(21);
    m_grdAnteprima->setWordWrap(false);
    m_grdAnteprima->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdAnteprima->setColumnWidth(ImportPreviewModel::Importa, 60);
    m_grdAnteprima->setColumnWidth(ImportPreviewModel::Riga, 45);
    m_grdAnteprima->setColumnWidth(ImportPreviewModel::Esito, 170);
    m_grdAnteprima->setColumnWidth(ImportPreviewModel::Nome, 170);
    m_hint->addHint(m_grdAnteprima,
                    QStringLiteral("Spuntare le righe da aggiungere all'archivio: le schede gi\u00E0 "
                                   "presenti e le righe senza nome restano fuori se non spuntate."));
    m_grdAnteprima->setColumnWidth(ImportPreviewModel::Foto, 90);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &TfrmImporta::aggiornaRiepilogo);

    // Every command is reached with Tab, in the order of the work.
    const QList<QWidget*> ordine = {cmdApri,    m_cboFoglio, cmdFoto,          m_grdColonne, m_grdAnteprima,
                                    cmdImporta, cmdStampa,   cmdSalvaRapporto, cmdGuida,     cmdEsci};
    for (QWidget* w : ordine) {
        if (qobject_cast<ImageButton*>(w))
            w->setFocusPolicy(Qt::StrongFocus);
    }
    for (qsizetype i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);

    svuota();
}

void TfrmImporta::svuota()
{
    m_file.clear();
    m_rows.clear();
    m_notes.clear();
    m_mapping = ImportMapping();
    mostra(m_lblFile, QStringLiteral("File: nessuno (premere il pulsante di apertura per sceglierlo)"));
    m_grdColonne->setRowCount(0);
    m_model->setRighe({});
    aggiornaRiepilogo();
}

void TfrmImporta::cmdApriClick()
{
    const QString path = m_context.fileDialogs->openFile(
        this, QStringLiteral("Scegliere il file da importare"),
        QStringLiteral("Fogli di calcolo (*.csv *.txt *.xlsx *.ods *.xls) (*.csv *.txt *.xlsx *.ods *.xls);;"
                       "Tutti i file (*) (*)"));
    if (path.isEmpty())
        return;
    m_fileScelto = path;
    // A workbook of several sheets: the visible ones are offered, the first preselected.
    QString errore;
    const QList<SheetReader::SheetInfo> fogli = SheetReader::sheets(path, &errore);
    m_cboFoglio->clear();
    int primo = -1;
    for (int i = 0; i < fogli.size(); ++i) {
        if (!fogli[i].visible)
            continue;
        m_cboFoglio->addItem(fogli[i].name, i);
        if (primo < 0)
            primo = i;
    }
    m_cboFoglio->setVisible(m_cboFoglio->count() > 1);
    caricaFile(path, primo);
    if (m_file.isEmpty())
        return;
    if (const QString quando = ImportMapping::importedOn(m_context.programFolder, path); !quando.isEmpty())
        m_context.messages->information(
            this,
            QStringLiteral("Questo file \u00E8 identico a uno gi\u00E0 importato il %1: le persone gi\u00E0 "
                           "presenti nell'archivio non sono spuntate.")
                .arg(quando));
}

void TfrmImporta::caricaFile(const QString& path, int foglio)
{
    svuota();
    SheetReader::Sheet sheet;
    {
        WorkProgress avanzamento(this, QStringLiteral("Lettura del file in corso..."), 1000, true,
                                 m_attesaProgresso);
        sheet = SheetReader::read(path, foglio, [&](int permille) { return avanzamento.passo(permille); });
    }
    if (sheet.cancelled)
        return;
    if (!sheet.ok()) {
        m_context.messages->warning(this, sheet.error);
        return;
    }
    const QHash<QString, int> remembered = ImportMapping::remembered(m_context.programFolder);
    const ImportMapping mapping = ImportMapping::fromHeaders(sheet.rows.first(), remembered);
    if (ImportPlan::sembraSenzaIntestazioni(sheet.rows.first(), mapping)) {
        m_context.messages->warning(
            this, QStringLiteral("Attenzione: la prima riga del foglio non contiene le intestazioni delle "
                                 "colonne (per esempio \"Cognome\", \"Nome\", \"Email\").\r\n\r\n"
                                 "Aggiungere una riga di intestazione al foglio e riprovare."));
        return;
    }
    if (sheet.rows.size() < 2) {
        m_context.messages->warning(this, QStringLiteral("Attenzione: il foglio contiene solo la riga di "
                                                         "intestazione e nessuna persona da importare."));
        return;
    }
    m_file = path;
    m_rows = std::move(sheet.rows);
    m_notes = std::move(sheet.notes);
    m_mapping = mapping;
    mostra(m_lblFile, QStringLiteral("File: ") + QDir::toNativeSeparators(path));
    riempiColonne();
    aggiornaAnteprima();
}

void TfrmImporta::riempiColonne()
{
    const QStringList& headers = m_rows.first();
    m_grdColonne->setRowCount(int(headers.size()));
    for (int column = 0; column < headers.size(); ++column) {
        m_grdColonne->setItem(column, 0, new QTableWidgetItem(headers[column]));
        m_grdColonne->setItem(column, 1, new QTableWidgetItem(m_rows.value(1).value(column)));
        auto* combo = new QComboBox(m_grdColonne);
        combo->setObjectName(QStringLiteral("cboCampo_%1").arg(column + 1));
        combo->setAccessibleName(QStringLiteral("Campo della scheda per la colonna %1").arg(headers[column]));
        for (const ImportMapping::Target& target : ImportMapping::targets())
            combo->addItem(target.caption, target.id);
        combo->setCurrentIndex(std::max(0, combo->findData(m_mapping.target(column))));
        connect(combo, &QComboBox::activated, this,
                [this, combo, column] { scegliCampo(column, combo->currentData().toInt()); });
        m_grdColonne->setCellWidget(column, 2, combo);
    }
}

void TfrmImporta::scegliCampo(int column, int target)
{
    m_mapping.setTarget(column, target);
    aggiornaAnteprima();
}

void TfrmImporta::aggiornaAnteprima()
{
    if (m_rows.isEmpty())
        return;
    ImportPlan::Chiavi chiavi;
    try {
        chiavi = ImportPlan::chiaviRegistro(m_context.programFolder);
    } catch (const ArchiveError&) {
        m_context.messages->error(this, accessMessage());
        svuota();
        return;
    }
    bool cancelled = false;
    QList<ImportPlan::Riga> righe;
    {
        WorkProgress avanzamento(this, QStringLiteral("Preparazione dell'anteprima..."), int(m_rows.size()),
                                 true, m_attesaProgresso);
        righe = ImportPlan::prepara(
            m_rows, m_mapping, chiavi, [&](int done, int) { return avanzamento.passo(done); }, &cancelled,
            m_notes);
    }
    if (cancelled) {
        svuota();
        return;
    }
    m_model->setRighe(std::move(righe));
    aggiornaRiepilogo();
}

void TfrmImporta::aggiornaRiepilogo()
{
    const QList<ImportPlan::Riga>& righe = m_model->righe();
    if (righe.isEmpty()) {
        mostra(m_lblRiepilogo, QString());
        return;
    }
    int nuove = 0, presenti = 0, rifiutate = 0, avvisi = 0, spuntate = 0, importate = 0;
    for (const ImportPlan::Riga& riga : righe) {
        using E = ImportPlan::Esito;
        nuove += riga.esito == E::Nuova;
        presenti += riga.esito == E::Presente || riga.esito == E::PresenteNelFile ||
                    riga.esito == E::ProbabilmentePresente;
        rifiutate += riga.esito == E::Rifiutata;
        importate += riga.esito == E::Importata;
        avvisi += riga.avvisi();
        spuntate += riga.importa;
    }
    QString testo = QStringLiteral("%1 righe: %2 nuove, %3 gi\u00E0 presenti, %4 rifiutate, %5 con avvisi")
                        .arg(righe.size())
                        .arg(nuove)
                        .arg(presenti)
                        .arg(rifiutate)
                        .arg(avvisi);
    if (importate > 0)
        testo += QStringLiteral(", %1 importate ora").arg(importate);
    mostra(m_lblRiepilogo, testo + QStringLiteral(". Da importare: %1.").arg(spuntate));
}

void TfrmImporta::cmdFotoClick()
{
    const QString folder =
        m_context.fileDialogs->chooseFolder(this, QStringLiteral("Scegliere la cartella delle foto"));
    if (folder.isEmpty())
        return;
    m_cartellaFoto = folder;
    mostra(m_lblFoto, QStringLiteral("Cartella delle foto: ") + QDir::toNativeSeparators(folder));
    m_model->setFoto(ImportAppend::indiceFoto(folder));
}

void TfrmImporta::cmdImportaClick()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    const QList<ImportPlan::Riga>& righe = m_model->righe();
    if (righe.isEmpty()) {
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: scegliere prima il file da importare."));
        return;
    }
    const int spuntate =
        int(std::count_if(righe.begin(), righe.end(), [](const auto& r) { return r.importa; }));
    if (spuntate == 0) {
        m_context.messages->warning(this, QStringLiteral("Attenzione: nessuna riga \u00E8 spuntata per "
                                                         "l'importazione."));
        return;
    }
    // Each kind of problem is named by the column that lists it, and the first one is brought into view.
    const auto daCompletare = std::find_if(righe.begin(), righe.end(),
                                           [](const auto& r) { return r.importa && !r.mancanti.isEmpty(); });
    const auto conAvvisi = std::find_if(righe.begin(), righe.end(), [](const auto& r) {
        return r.importa && !ImportPreviewModel::avvisi(r).isEmpty();
    });
    QString domanda;
    if (daCompletare != righe.end())
        domanda += QStringLiteral("Alcune righe spuntate non hanno tutti i campi che la scheda richiede: "
                                  "sono elencati nella colonna \"Da completare\". Le schede saranno aggiunte "
                                  "lo stesso; quei campi andranno compilati nell'Archivio Anagrafico per "
                                  "salvarle di nuovo.\r\n\r\n");
    if (conAvvisi != righe.end())
        domanda += QStringLiteral("Alcune righe spuntate hanno avvisi (valori troppo lunghi o con caratteri "
                                  "che l'archivio non pu\u00F2 contenere, numeri con cifre perse o formule "
                                  "senza valore): si vedono nella colonna \"Avvisi\".\r\n\r\n");
    domanda +=
        spuntate == 1
            ? QStringLiteral("Si vuole aggiungere 1 scheda all'archivio anagrafico?")
            : QStringLiteral("Si vogliono aggiungere %1 schede all'archivio anagrafico?").arg(spuntate);
    if (daCompletare != righe.end())
        m_grdAnteprima->scrollTo(
            m_model->index(int(daCompletare - righe.begin()), ImportPreviewModel::DaCompletare));
    else if (conAvvisi != righe.end())
        m_grdAnteprima->scrollTo(m_model->index(int(conAvvisi - righe.begin()), ImportPreviewModel::Avvisi));
    if (!m_context.messages->question(this, domanda))
        return;
    m_mapping.remember(m_context.programFolder, m_rows.first());
    ImportAppend::Risultato risultato;
    {
        WorkProgress avanzamento(this, QStringLiteral("Importazione delle schede in corso..."), spuntate,
                                 true, m_attesaProgresso);
        risultato = ImportAppend::aggiungi(m_context.programFolder, righe, m_cartellaFoto,
                                           [&](int done, int) { return avanzamento.passo(done); });
    }
    m_rapporto = ImportAppend::rapporto(risultato, m_file);
    if (!risultato.errore.isEmpty())
        m_context.messages->error(this, risultato.errore);
    if (risultato.aggiunte > 0)
        ImportMapping::rememberImported(m_context.programFolder, m_file);
    m_context.messages->information(this, m_rapporto);
    // What was added is in the registry now: the preview says so, and the rows added are done.
    aggiornaAnteprima();
    QList<ImportPlan::Riga> aggiornate = m_model->righe();
    ImportAppend::segnaImportate(aggiornate, risultato);
    m_model->setRighe(std::move(aggiornate));
    aggiornaRiepilogo();
}

void TfrmImporta::cmdStampaClick()
{
    if (m_rapporto.isEmpty()) {
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: il rapporto sar\u00E0 disponibile al termine "
                                                   "dell'importazione."));
        return;
    }
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                             QPageLayout::Millimeter);
    const std::unique_ptr<QPrinter> printer = m_context.printing->choosePrinter(this, layout);
    if (!printer)
        return;
    QTextDocument document;
    document.setDefaultFont(Looks::font(QStringLiteral("Arial"), 11));
    document.setPlainText(m_rapporto);
    document.print(printer.get());
    DocumentOutput::finishPrintedFile(*printer);
}

void TfrmImporta::cmdSalvaRapportoClick()
{
    if (m_rapporto.isEmpty()) {
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: il rapporto sar\u00E0 disponibile al termine "
                                                   "dell'importazione."));
        return;
    }
    const QString path =
        m_context.fileDialogs->saveFile(this, QStringLiteral("Salvare il rapporto dell'importazione"),
                                        QStringLiteral("File di testo (*.txt) (*.txt)"),
                                        QStringLiteral("Rapporto_Importazione.txt"), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    QString text = m_rapporto;
    text.replace(u'\n', QStringLiteral("\r\n"));
    QString perche;
    if (!SafeSave::writeFile(path, text.toUtf8(), &perche))
        m_context.messages->warning(this, QStringLiteral("Attenzione: il sistema non permette di salvare il "
                                                         "rapporto%1.\r\n\r\nScegliere un'altra cartella.")
                                              .arg(FileErrorText::inParentheses(perche)));
}
