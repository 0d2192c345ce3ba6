#include "app/Backup.h"

#include "app/HelpTopics.h"
#include "backup/BackupCheckLog.h"
#include "backup/BackupRestorer.h"
#include "backup/BackupVerifier.h"
#include "backup/BackupWriter.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "storage/FileErrorText.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/ReadOnlyRefusal.h"
#include "widgets/WorkProgress.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

namespace {

const QString kData = QStringLiteral("dd/MM/yyyy HH:mm:ss");

QString dimensione(qint64 byte)
{
    return QLocale(QLocale::Italian).formattedDataSize(byte, 1, QLocale::DataSizeTraditionalFormat);
}

// The progress of a piece of work in a window with "Annulla".
BackupProgress avanzamento(WorkProgress& finestra)
{
    return [&finestra](qint64 fatti, qint64 totale) { return finestra.passo(int(fatti * 1000 / totale)); };
}

QLabel* etichetta(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(text);
    label->setGeometry(geometry);
    label->setFont(Looks::font(QStringLiteral("Tahoma"), 10));
    Looks::setTextColour(label, Looks::kDarkBlue);
    return label;
}

QSpinBox* numero(QWidget* parent, const char* name, const QString& accessible, const QRect& geometry, int min,
                 int max)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setAccessibleName(accessible);
    spin->setRange(min, max);
    spin->setGeometry(geometry);
    return spin;
}

} // namespace

TfrmBackup::TfrmBackup(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Backup e ripristino"), QSize(760, 540),
                      WindowKind::Fixed)
    , m_settings(BackupSettings::leggi(context.programFolder))
{
    setObjectName(QStringLiteral("frmBackup"));
    Looks::setSteelBlueGradient(this);

    auto* lblTitolo = Looks::label(this, QStringLiteral("lblTitolo"), QStringLiteral("BACKUP E RIPRISTINO"),
                                   Looks::font(QStringLiteral("Tahoma"), 18, true), 24, 20);
    lblTitolo->setAccessibleName(lblTitolo->text());
    Looks::setTextColour(lblTitolo, Looks::kDarkBlue);
    auto* cmdGuida =
        new ImageButton(this, QStringLiteral("cmdGuida"), QStringLiteral(":/pictures/candidati_guida.svg"),
                        QRect(688, 16, 48, 48), QStringLiteral("Guida"));
    cmdGuida->setToolTip(QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    connect(cmdGuida, &ImageButton::clicked, this,
            [this] { HelpTopics::open(m_context, this, HelpTopics::Topic::Backup); });

    auto* shpPannello =
        Looks::shape(this, QStringLiteral("shpPannello"), QRect(20, 76, 720, 390), Looks::softPanelStyle());
    shpPannello->setAccessibleName(QStringLiteral("Pannello dei backup"));

    etichetta(this, "lblCartella", QStringLiteral("Cartella dei backup:"), QRect(32, 88, 160, 24));
    m_txtCartella = new QLineEdit(this);
    m_txtCartella->setObjectName(QStringLiteral("txtCartella"));
    m_txtCartella->setAccessibleName(QStringLiteral("Cartella dei backup"));
    m_txtCartella->setReadOnly(true);
    m_txtCartella->setGeometry(190, 88, 390, 24);
    auto* btnCartella =
        Looks::pushButton(this, QStringLiteral("btnCartella"), QStringLiteral("Cambia..."),
                          QRect(590, 86, 138, 28), QStringLiteral("Cambia cartella dei backup"));

    m_grdBackup = new QTableWidget(0, 4, this);
    m_grdBackup->setObjectName(QStringLiteral("grdBackup"));
    m_grdBackup->setAccessibleName(QStringLiteral("Elenco dei backup"));
    m_grdBackup->setGeometry(32, 124, 696, 250);
    m_grdBackup->setHorizontalHeaderLabels({QStringLiteral("Data"), QStringLiteral("Dimensione"),
                                            QStringLiteral("Numero di file"), QStringLiteral("Stato")});
    m_grdBackup->verticalHeader()->hide();
    m_grdBackup->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdBackup->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdBackup->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdBackup->setColumnWidth(0, 190);
    m_grdBackup->setColumnWidth(1, 130);
    m_grdBackup->setColumnWidth(2, 130);
    m_grdBackup->horizontalHeader()->setStretchLastSection(true);

    m_lblUltimo = etichetta(this, "lblUltimo", QString(), QRect(32, 380, 696, 22));
    etichetta(this, "lblConserva", QStringLiteral("Backup da conservare:"), QRect(32, 408, 170, 24));
    m_spnConserva =
        numero(this, "spnConserva", QStringLiteral("Backup da conservare"), QRect(200, 408, 70, 24), 1, 999);
    etichetta(this, "lblPromemoria", QStringLiteral("Promemoria all'uscita dopo giorni (0 = mai):"),
              QRect(300, 408, 330, 24));
    m_spnPromemoria = numero(this, "spnPromemoria", QStringLiteral("Promemoria all'uscita dopo giorni"),
                             QRect(630, 408, 70, 24), 0, 365);
    m_spnConserva->setValue(m_settings.conserva);
    m_spnPromemoria->setValue(m_settings.promemoriaGiorni);

    struct Comando {
        const char* name;
        QString caption;
        void (TfrmBackup::*click)();
    };
    const Comando comandi[] = {
        {"btnEsegui", QStringLiteral("Esegui backup"), &TfrmBackup::btnEseguiClick},
        {"btnVerifica", QStringLiteral("Verifica"), &TfrmBackup::btnVerificaClick},
        {"btnRipristina", QStringLiteral("Ripristina"), &TfrmBackup::btnRipristinaClick},
        {"btnElimina", QStringLiteral("Elimina"), &TfrmBackup::btnEliminaClick},
    };
    // Four commands from the left edge of the panel, "Chiudi" at its right edge, a gap between.
    int x = 20;
    for (const Comando& comando : comandi) {
        auto* button = Looks::pushButton(this, QString::fromLatin1(comando.name), comando.caption,
                                         QRect(x, 480, 140, 36));
        connect(button, &QPushButton::clicked, this, comando.click);
        x += 150;
    }
    auto* btnChiudi = Looks::pushButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                        QRect(640, 480, 100, 36));
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCartella, &QPushButton::clicked, this, &TfrmBackup::btnCartellaClick);
    connect(m_spnConserva, &QSpinBox::valueChanged, this, &TfrmBackup::salvaImpostazioni);
    connect(m_spnPromemoria, &QSpinBox::valueChanged, this, &TfrmBackup::salvaImpostazioni);

    aggiorna();
}

void TfrmBackup::showEvent(QShowEvent* event)
{
    SecondaryScreen::showEvent(event);
    if (m_eseguiAllApertura) {
        m_eseguiAllApertura = false;
        QTimer::singleShot(0, this, &TfrmBackup::btnEseguiClick);
    }
}

void TfrmBackup::aggiorna()
{
    m_txtCartella->setText(QDir::toNativeSeparators(m_settings.cartella));
    m_voci = BackupFolder::elenco(m_settings.cartella);
    m_grdBackup->setRowCount(int(m_voci.size()));
    for (int row = 0; row < m_voci.size(); ++row) {
        const BackupFolder::Voce& voce = m_voci.at(row);
        const QStringList celle = {voce.data.toString(kData), dimensione(voce.dimensione),
                                   voce.stato == BackupVerifier::Stato::Incompleto && voce.numeroFile == 0
                                       ? QString()
                                       : QString::number(voce.numeroFile),
                                   BackupVerifier::nomeStato(voce.stato)};
        QString suggerimento =
            voce.motivo.isEmpty() ? voce.nome : voce.nome + QStringLiteral(": ") + voce.motivo;
        if (voce.verificato.isValid())
            suggerimento += QStringLiteral(" (verificato il %1)").arg(voce.verificato.toString(kData));
        for (int column = 0; column < celle.size(); ++column) {
            auto* item = new QTableWidgetItem(celle.at(column));
            item->setToolTip(suggerimento);
            m_grdBackup->setItem(row, column, item);
        }
    }
    m_lblUltimo->setText(
        m_settings.ultimoVerificato.isValid()
            ? QStringLiteral("Ultimo backup verificato: %1").arg(m_settings.ultimoVerificato.toString(kData))
            : QStringLiteral("Non è ancora stato fatto un backup verificato."));
    m_lblUltimo->setAccessibleName(m_lblUltimo->text());
}

void TfrmBackup::salvaImpostazioni()
{
    m_settings.conserva = m_spnConserva->value();
    m_settings.promemoriaGiorni = m_spnPromemoria->value();
    if (!m_settings.scrivi(m_context.programFolder))
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: non è possibile salvare le impostazioni dei "
                                                   "backup nella cartella del programma."));
}

const BackupFolder::Voce* TfrmBackup::selezionato()
{
    const int row = m_grdBackup->currentRow();
    if (row < 0 || row >= m_voci.size()) {
        m_context.messages->warning(this, QStringLiteral("Attenzione: selezionare un backup nell'elenco."));
        return nullptr;
    }
    return &m_voci.at(row);
}

QString TfrmBackup::esegui(const QString& testo)
{
    BackupWriter::Esito esito;
    {
        WorkProgress finestra(this, testo, 1000, true, m_attesaProgresso);
        BackupWriter writer(m_context.programFolder, m_settings.cartella);
        writer.setConserva(m_settings.conserva);
        esito = writer.esegui(QDateTime::currentDateTime(), avanzamento(finestra));
    }
    if (esito.stato == BackupWriter::Esito::Stato::Fatto) {
        m_settings.ultimoVerificato = BackupFolder::dataDi(QFileInfo(esito.file).fileName());
        salvaImpostazioni();
    } else if (esito.stato == BackupWriter::Esito::Stato::Fallito) {
        m_context.messages->warning(this, esito.messaggio);
    }
    aggiorna();
    return QFileInfo(esito.file).fileName();
}

void TfrmBackup::btnEseguiClick()
{
    const QString problema = BackupWriter::preparaCartella(m_context.programFolder, m_settings.cartella);
    if (!problema.isEmpty()) {
        m_context.messages->warning(this, problema);
        return;
    }
    const QString nome = esegui(QStringLiteral("Backup in corso..."));
    if (!nome.isEmpty())
        m_context.messages->information(this,
                                        QStringLiteral("Backup eseguito e verificato:\r\n%1").arg(nome));
}

void TfrmBackup::btnVerificaClick()
{
    const BackupFolder::Voce* voce = selezionato();
    if (!voce)
        return;
    const QString nome = voce->nome;
    const QString percorso = voce->percorso;
    const QDateTime data = voce->data;
    BackupVerifier::Esito esito;
    {
        WorkProgress finestra(this, QStringLiteral("Verifica del backup in corso..."), 1000, true,
                              m_attesaProgresso);
        esito =
            BackupVerifier::verifica(percorso, BackupVerifier::Controllo::Completo, avanzamento(finestra));
    }
    if (esito.stato == BackupVerifier::Stato::Annullato)
        return;
    // Kept beside the backups, so that the list shows it until the file changes.
    BackupCheckLog::annota(percorso, esito.stato, esito.motivo);
    if (esito.stato == BackupVerifier::Stato::Integro &&
        (!m_settings.ultimoVerificato.isValid() || data > m_settings.ultimoVerificato)) {
        m_settings.ultimoVerificato = data;
        salvaImpostazioni();
    }
    aggiorna();
    // The row shows what was just found even where the result could not be kept.
    for (int row = 0; row < m_voci.size(); ++row) {
        if (m_voci.at(row).nome != nome)
            continue;
        m_voci[row].stato = esito.stato;
        m_voci[row].motivo = esito.motivo;
        m_grdBackup->item(row, 3)->setText(BackupVerifier::nomeStato(esito.stato));
        m_grdBackup->setCurrentCell(row, 0);
    }
    if (esito.stato == BackupVerifier::Stato::Integro) {
        m_context.messages->information(this, QStringLiteral("Il backup %1 è integro: %2 file controllati.")
                                                  .arg(nome)
                                                  .arg(esito.manifest.voci.size()));
        return;
    }
    if (esito.stato == BackupVerifier::Stato::PiuRecente) {
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: il backup %1 è stato fatto con una versione "
                                                   "più recente di Folvara, che questa versione non può "
                                                   "verificare né ripristinare.")
                                        .arg(nome));
        return;
    }
    m_context.messages->warning(this, QStringLiteral("Attenzione: il backup %1 è %2: %3.")
                                          .arg(nome, BackupVerifier::nomeStato(esito.stato), esito.motivo));
}

void TfrmBackup::btnRipristinaClick()
{
    const BackupFolder::Voce* voce = selezionato();
    if (!voce)
        return;
    const QString zip = voce->percorso;
    const QString data = voce->data.toString(kData);
    QString cartella =
        BackupRestorer::cartellaPredefinita(m_context.programFolder, QDateTime::currentDateTime());
    if (!m_context.messages->question(
            this, QStringLiteral("Ripristinare il backup del %1 nella nuova cartella\r\n%2?\r\n\r\n"
                                 "Rispondere No per scegliere un'altra cartella.")
                      .arg(data, QDir::toNativeSeparators(cartella)))) {
        cartella = m_context.fileDialogs->chooseFolder(
            this, QStringLiteral("Cartella in cui ripristinare il backup"));
        if (cartella.isEmpty())
            return;
    }
    const bool cartellaViva = QDir(cartella).canonicalPath() == QDir(m_context.programFolder).canonicalPath();
    if (cartellaViva) {
        // Read-only archives are not replaced either.
        if (ReadOnlyRefusal::refused(*m_context.messages, this))
            return;
        if (!m_context.messages->question(
                this,
                QStringLiteral("Attenzione: i dati attuali del programma verranno sostituiti con quelli del "
                               "backup del %1.\r\n\r\nContinuare?")
                    .arg(data)) ||
            !m_context.messages->question(
                this, QStringLiteral("Confermare ancora la sostituzione dei dati attuali.\r\n\r\nPrima del "
                                     "ripristino verrà fatto un backup dei dati attuali.")))
            return;
        // What is there now is saved first; the rotation waits, so the backup being restored stays.
        const int conserva = m_settings.conserva;
        m_settings.conserva = 0;
        const bool salvato =
            BackupWriter::preparaCartella(m_context.programFolder, m_settings.cartella).isEmpty() &&
            !esegui(QStringLiteral("Backup dei dati attuali in corso...")).isEmpty();
        m_settings.conserva = conserva;
        if (!salvato) {
            m_context.messages->warning(this,
                                        QStringLiteral("Attenzione: non è stato possibile fare il backup dei "
                                                       "dati attuali: il ripristino non è stato eseguito."));
            return;
        }
    }
    BackupRestorer::Esito esito;
    {
        WorkProgress finestra(this, QStringLiteral("Ripristino in corso..."), 1000, true, m_attesaProgresso);
        esito = BackupRestorer::ripristina(zip, cartella, avanzamento(finestra));
    }
    // The backup settings of this installation stay as they are, not as they were in the backup.
    if (cartellaViva)
        salvaImpostazioni();
    aggiorna();
    const QString completato = QStringLiteral("Ripristino completato e verificato: %1 file in\r\n%2")
                                   .arg(esito.numeroFile)
                                   .arg(QDir::toNativeSeparators(cartella));
    if (esito.stato == BackupRestorer::Esito::Stato::Fatto && esito.rifiutati.isEmpty())
        m_context.messages->information(this, completato);
    else if (esito.stato == BackupRestorer::Esito::Stato::Fatto)
        m_context.messages->warning(
            this, completato + QStringLiteral("\r\n\r\nAttenzione: questi file del backup non sono dati di "
                                              "Folvara e non sono stati ripristinati:\r\n%1")
                                   .arg(esito.rifiutati.join(QStringLiteral("\r\n"))));
    else if (!esito.messaggio.isEmpty())
        m_context.messages->warning(this, esito.messaggio);
}

void TfrmBackup::btnEliminaClick()
{
    const BackupFolder::Voce* voce = selezionato();
    if (!voce)
        return;
    int integri = 0;
    for (const BackupFolder::Voce& altro : m_voci)
        integri += altro.stato == BackupVerifier::Stato::Integro ? 1 : 0;
    QString domanda = QStringLiteral("Eliminare il backup del %1?").arg(voce->data.toString(kData));
    if (voce->stato == BackupVerifier::Stato::Integro && integri == 1)
        domanda = QStringLiteral("Attenzione: è l'unico backup integro.\r\n\r\n") + domanda;
    if (!m_context.messages->question(this, domanda))
        return;
    QFile file(voce->percorso);
    if (!file.remove())
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: non è possibile eliminare il file\r\n%1%2")
                                        .arg(QDir::toNativeSeparators(voce->percorso),
                                             FileErrorText::inParentheses(file.errorString())));
    aggiorna();
}

void TfrmBackup::btnCartellaClick()
{
    const QString cartella = m_context.fileDialogs->chooseFolder(this, QStringLiteral("Cartella dei backup"));
    if (cartella.isEmpty())
        return;
    const QString problema = BackupWriter::problemaCartella(m_context.programFolder, cartella);
    if (!problema.isEmpty()) {
        m_context.messages->warning(this, problema);
        return;
    }
    m_settings.cartella = QDir(cartella).absolutePath();
    salvaImpostazioni();
    aggiorna();
}

void TfrmBackup::promemoriaUscita(AppContext& context, QWidget* owner)
{
    const BackupSettings settings = BackupSettings::leggi(context.programFolder);
    if (!settings.promemoriaDovuto(context.programFolder, QDateTime::currentDateTime()))
        return;
    const QString quando = settings.ultimoVerificato.isValid()
                               ? QStringLiteral("L'ultimo backup verificato dei dati risale al %1.")
                                     .arg(settings.ultimoVerificato.toString(QStringLiteral("dd/MM/yyyy")))
                               : QStringLiteral("Non è ancora stato fatto un backup dei dati.");
    if (!context.messages->question(owner, quando + QStringLiteral("\r\n\r\nFare un backup adesso?")))
        return;
    TfrmBackup screen(context, owner);
    screen.setEseguiAllApertura(true);
    context.modal->run(screen);
}
