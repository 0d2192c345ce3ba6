#include "documents/GroupPageScreen.h"

#include "documents/AnteprimaProdotto.h"
#include "documents/DocumentOutput.h"
#include "documents/PdfFile.h"
#include "documents/StampaProdotto.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "privacy/ConsentStore.h"
#include "privacy/PhotoRefusals.h"
#include "storage/TextRules.h"
#include "widgets/Looks.h"
#include "widgets/PhotoBox.h"

#include <QCheckBox>

#include <QLabel>
#include <QLineEdit>

namespace {

QString testo(const QWidget& editor, const QString& name)
{
    if (const auto* field = editor.findChild<QLineEdit*>(name))
        return field->text();
    if (const auto* label = editor.findChild<QLabel*>(name))
        return label->text();
    return {};
}

QImage immagine(const QWidget& editor, const QString& name)
{
    if (const auto* box = editor.findChild<PhotoBox*>(name))
        return box->picture();
    if (const auto* label = editor.findChild<QLabel*>(name))
        return label->pixmap().toImage();
    return {};
}

} // namespace

GroupPageScreen::GroupPageScreen(AppContext& context, QWidget* owner, const Aspetto& aspetto, QString failure)
    : DocumentScreen(context, owner, aspetto)
    , m_failure(std::move(failure))
    , m_chkTutteLePagine(new QCheckBox(QStringLiteral("Stampa tutte le pagine"), this))
{
    m_chkTutteLePagine->setObjectName(QStringLiteral("chkTutteLePagine"));
    m_chkTutteLePagine->setAccessibleName(m_chkTutteLePagine->text());
    m_chkTutteLePagine->setAccessibleDescription(
        QStringLiteral("Tutte le pagine del gruppo in un solo documento, in ordine di pagina"));
    m_chkTutteLePagine->setFont(Looks::font(QStringLiteral("Verdana"), 9, true));
    m_chkTutteLePagine->setGeometry(152, 186, 192, 24);
    m_chkTutteLePagine->setStyleSheet(QStringLiteral("background: white;"));
}

const Report::PagedDocument& GroupPageScreen::prepared()
{
    // A person whose photo consent is "no" prints as the blank picture; the slot photos stay.
    const QString avviso = ConsentStore::warningOnce(ConsentStore::read(m_context.programFolder));
    if (!avviso.isEmpty())
        m_context.messages->warning(this, avviso);
    auto rifiuti = std::make_shared<const PhotoRefusals>(PhotoRefusals::load(m_context.programFolder));
    const auto negata = [rifiuti](const QString& nome) { return rifiuti->byName(nome); };
    GroupPageData dati = m_dati;
    withholdPhotos(dati, negata);
    m_documento.page().setOrientation(QPageLayout::Portrait);
    m_documento.fill(dati);
    m_documento.prepare();
    if (!m_chkTutteLePagine->isChecked())
        return m_documento.page();
    m_tutte = std::make_unique<GroupBookDocument>(m_context.programFolder, m_dati);
    m_tutte->setWithheld(negata);
    return *m_tutte;
}

QString GroupPageScreen::pdfName() const
{
    const QString gruppo = TextRules::trim(m_dati.groupName);
    const QString pagina = TextRules::trim(m_dati.pageNumber);
    QString which;
    if (m_chkTutteLePagine->isChecked())
        which = QStringLiteral("tutte le pagine");
    else if (pagina.isEmpty())
        which = QStringLiteral("nuova pagina");
    else
        which = QStringLiteral("pagina ") + pagina;
    return PdfFile::fileName(gruppo + QStringLiteral(" - ") + which, QStringLiteral("Scheda gruppo"));
}

void GroupPageScreen::btnStampaClick()
{
    try {
        output(prepared());
    } catch (const std::exception&) {
        // The screen stays open and can be left with "Annulla".
        m_context.messages->warning(this, m_failure);
        return;
    }
    close();
}

void GroupPageScreen::btnSalvaPdfClick()
{
    const Report::PagedDocument* document = nullptr;
    try {
        document = &prepared();
    } catch (const std::exception&) {
        m_context.messages->warning(this, m_failure);
        return;
    }
    if (DocumentOutput::savePdf(m_context, this, *document, pdfName()))
        close();
}

GroupPageData GroupPageOutput::datiDa(const QWidget& editor)
{
    GroupPageData data;
    data.groupName = testo(editor, QStringLiteral("lblNome"));
    data.pageNumber = testo(editor, QStringLiteral("lblPosizione"));
    for (int slot = 0; slot < GroupPageDocument::kSlots; ++slot) {
        const QString suffix = QLatin1Char('_') + GroupPageDocument::letter(slot);
        GroupPageData::Slot& s = data.persone.at(slot);
        s.nome = testo(editor, QStringLiteral("txtNome") + suffix);
        s.um = testo(editor, QStringLiteral("txtUM") + suffix);
        s.caratteristiche = testo(editor, QStringLiteral("txtCaratteristiche") + suffix);
        s.codice = testo(editor, QStringLiteral("txtCodice") + suffix);
        s.prezzo = testo(editor, QStringLiteral("txtPrezzo") + suffix);
        s.foto = immagine(editor, QStringLiteral("imgFoto") + suffix);
    }
    return data;
}

void GroupPageOutput::anteprima(AppContext& context, QWidget* editor, const GroupPageData& data)
{
    TfrmAnteprimaProdotto screen(context, editor);
    screen.setPagina(data);
    context.modal->run(screen);
}

void GroupPageOutput::stampa(AppContext& context, QWidget* editor, const GroupPageData& data)
{
    TfrmStampaProdotto screen(context, editor);
    screen.setPagina(data);
    context.modal->run(screen);
}
