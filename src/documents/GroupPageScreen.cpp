#include "documents/GroupPageScreen.h"

#include "documents/AnteprimaProdotto.h"
#include "documents/StampaProdotto.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"

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
