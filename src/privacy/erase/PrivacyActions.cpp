#include "privacy/erase/PrivacyActions.h"

#include "documents/Report.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "privacy/erase/CancellaPersona.h"
#include "privacy/erase/PersonErase.h"
#include "privacy/erase/PersonExport.h"
#include "registry/Candidati.h"
#include "storage/ArchiveAccess.h"
#include "storage/ArchiveError.h"
#include "widgets/HintLine.h"
#include "widgets/ReadOnlyRefusal.h"
#include "widgets/WorkProgress.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

QString risultato(const PersonErase::Result& result)
{
    return QStringLiteral("File rimossi: %1. Riquadri dei gruppi svuotati: %2.")
        .arg(result.filesRemoved)
        .arg(result.slotsEmptied);
}

QString nonCompletata(const PersonErase::Result& result)
{
    QString text = QStringLiteral("Attenzione: la cancellazione non è stata completata: ") + result.failure;
    for (const QString& file : result.notRemoved)
        text += QStringLiteral("\r\n") + QDir::toNativeSeparators(file);
    if (!result.started)
        return text + QStringLiteral("\r\n\r\nNulla è stato rimosso.");
    return text +
           QStringLiteral("\r\n\r\nAl prossimo avvio dell'Archivio Anagrafico sarà proposto di completarla.");
}

} // namespace

PrivacyActions::PrivacyActions(AppContext& context, TfrmCandidati& editor, QWidget* panel)
    : QObject(&editor)
    , m_context(context)
    , m_editor(editor)
{
    auto* button = new QPushButton(QStringLiteral("Privacy"), panel);
    button->setObjectName(QStringLiteral("btnPrivacy"));
    button->setAccessibleName(QStringLiteral("Privacy"));
    button->setAccessibleDescription(QStringLiteral("Esporta o cancella i dati della persona"));
    button->setGeometry(156, 552, 90, 28);
    auto* menu = new QMenu(button);
    menu->setObjectName(QStringLiteral("mnuPrivacy"));
    QAction* esporta = menu->addAction(QStringLiteral("Esporta dati della persona"));
    esporta->setObjectName(QStringLiteral("actEsportaPersona"));
    QAction* cancella = menu->addAction(QStringLiteral("Cancella persona"));
    cancella->setObjectName(QStringLiteral("actCancellaPersona"));
    button->setMenu(menu);
    editor.m_hint->addHint(button, QStringLiteral("Esporta i dati della persona in un file zip o cancellala "
                                                  "dall'archivio."));
    connect(esporta, &QAction::triggered, this, &PrivacyActions::esportaPersona);
    connect(cancella, &QAction::triggered, this, &PrivacyActions::cancellaPersona);
    editor.installEventFilter(this);
}

bool PrivacyActions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_editor && event->type() == QEvent::Show && !event->spontaneous())
        completaCancellazioni();
    return QObject::eventFilter(watched, event);
}

int PrivacyActions::posizioneArchiviata(const QString& avviso)
{
    const int posizione = m_editor.posizione().toInt();
    if (posizione < 1)
        m_context.messages->warning(&m_editor, avviso);
    return posizione;
}

std::optional<PersonInventory> PrivacyActions::persona(int posizione, const PersonSideDataList& side,
                                                       const QString& vuota)
{
    try {
        PersonInventory inventory = PersonInventory::read(m_context.programFolder, posizione, side);
        if (!inventory.card.vuota())
            return inventory;
        m_context.messages->warning(&m_editor, vuota.arg(posizione));
    } catch (const ArchiveError& error) {
        m_context.messages->error(&m_editor, error.messaggio());
    }
    return std::nullopt;
}

void PrivacyActions::esportaPersona()
{
    const int posizione = posizioneArchiviata(QStringLiteral(
        "Attenzione: i dati di una persona si esportano da una scheda già inserita in archivio."));
    if (posizione < 1 || !m_editor.puoLasciare())
        return;
    const PersonSideDataList side = personSideData();
    const std::optional<PersonInventory> letta = persona(
        posizione, side, QStringLiteral("Attenzione: la scheda %1 è vuota: non ci sono dati da esportare."));
    if (!letta)
        return;
    const PersonInventory& inventory = *letta;
    const QString file =
        m_context.fileDialogs->saveFile(&m_editor, QStringLiteral("Salvare i dati della persona"),
                                        QStringLiteral("Archivio zip (*.zip) (*.zip)"),
                                        PersonExport::proposedName(inventory.name()), QStringLiteral("zip"));
    if (file.isEmpty())
        return;
    QList<PersonExport::Entry> entries;
    try {
        entries = PersonExport::entries(m_context.programFolder, inventory, side);
    } catch (const std::exception&) {
        m_context.messages->warning(&m_editor,
                                    QStringLiteral("Attenzione: non è stato possibile preparare la "
                                                   "scheda in PDF; il file non è stato salvato."));
        return;
    }
    WorkProgress progress(&m_editor, QStringLiteral("Esportazione dei dati della persona in corso..."),
                          int(entries.size()), true, 500);
    QString errore;
    const PersonExport::Outcome esito = PersonExport::save(
        file, entries, [&progress](int done, int) { return progress.passo(done); }, &errore);
    if (esito == PersonExport::Outcome::Written)
        m_context.messages->information(&m_editor,
                                        QStringLiteral("I dati di %1 sono stati salvati nel file %2.")
                                            .arg(inventory.name(), QDir::toNativeSeparators(file)));
    else if (esito == PersonExport::Outcome::Failed)
        m_context.messages->warning(&m_editor,
                                    QStringLiteral("Attenzione: il file dei dati della persona non è "
                                                   "stato salvato: %1")
                                        .arg(errore));
}

void PrivacyActions::cancellaPersona()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, &m_editor))
        return;
    const int posizione = posizioneArchiviata(
        QStringLiteral("Attenzione: si può cancellare solo una scheda già inserita in archivio."));
    if (posizione < 1)
        return;
    const PersonSideDataList side = personSideData();
    const std::optional<PersonInventory> letta =
        persona(posizione, side, QStringLiteral("Attenzione: la scheda %1 è già vuota."));
    if (!letta)
        return;
    const PersonInventory& inventory = *letta;
    bool riquadri = false;
    {
        TfrmCancellaPersona screen(m_context, &m_editor, inventory);
        m_context.modal->run(screen);
        if (!screen.confermata())
            return;
        riquadri = screen.svuotaRiquadri();
    }
    PersonErase erase(m_context.programFolder, side);
    WorkProgress progress(&m_editor, QStringLiteral("Cancellazione della persona in corso..."),
                          PersonErase::kSteps, false, 500);
    erase.progress = [&progress](int done, int) { progress.passo(done); };
    const PersonErase::Result result = erase.erase(posizione, riquadri);
    // The card on the screen goes whatever the outcome: what was erased must not be saved back.
    TSchedaAnagrafica vuota;
    vuota.buffer() = PersonErase::emptyCard();
    if (result.done) {
        m_editor.mostraCaricata(vuota, posizione);
        m_context.messages->information(
            &m_editor,
            QStringLiteral("I dati della persona sono stati cancellati; la scheda %1 ora è vuota. ")
                    .arg(posizione) +
                risultato(result));
    } else {
        m_editor.AzzeraScheda();
        m_context.messages->warning(&m_editor, nonCompletata(result));
    }
}

void PrivacyActions::completaCancellazioni()
{
    // Read-only archives: finished once they may be written again.
    if (ArchiveAccess::readOnly())
        return;
    EraseLog log(m_context.programFolder);
    for (const EraseLog::Erase& pending : log.unfinished()) {
        if (!m_context.messages->question(
                &m_editor,
                QStringLiteral("Attenzione: la cancellazione della scheda %1, iniziata il %2, non è "
                               "stata completata.\r\n\r\nCompletarla ora?")
                    .arg(pending.position)
                    .arg(pending.started.toString(QStringLiteral("dd/MM/yyyy HH:mm")))))
            continue;
        PersonErase erase(m_context.programFolder, personSideData());
        const PersonErase::Result result = erase.finish(pending);
        if (result.done)
            m_context.messages->information(
                &m_editor, QStringLiteral("La cancellazione della scheda %1 è stata completata. ")
                                   .arg(pending.position) +
                               risultato(result));
        else
            m_context.messages->warning(&m_editor, nonCompletata(result));
    }
}
