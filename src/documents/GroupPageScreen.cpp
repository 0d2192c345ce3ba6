#include "documents/GroupPageScreen.h"

#include "documents/AnteprimaProdotto.h"
#include "documents/StampaProdotto.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "widgets/PhotoBox.h"

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
{
}

void GroupPageScreen::btnStampaClick()
{
    try {
        m_documento.page().setOrientation(QPageLayout::Portrait);
        m_documento.fill(m_dati);
        m_documento.prepare();
        output();
    } catch (const std::exception&) {
        // The screen stays open and can be left with "Annulla".
        m_context.messages->warning(this, m_failure);
        return;
    }
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
