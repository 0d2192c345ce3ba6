#pragma once

#include "documents/DocumentScreen.h"
#include "documents/GroupBookDocument.h"
#include "documents/GroupPageDocument.h"

#include <memory>

class QCheckBox;

// What the group page's preview and print screens share: the page's data, handed over by the
// page editor, fills the document when the button is pressed; with "Stampa tutte le pagine"
// every page of the group goes into one document.
class GroupPageScreen : public DocumentScreen {
    Q_OBJECT
public:
    GroupPageScreen(AppContext& context, QWidget* owner, const Aspetto& aspetto, QString failure);

    void setPagina(GroupPageData data) { m_dati = std::move(data); }
    GroupPageDocument& documento() { return m_documento; }
    QCheckBox* chkTutteLePagine() const { return m_chkTutteLePagine; }

protected:
    void btnStampaClick() override;
    void btnSalvaPdfClick() override;
    // Shows or prints the prepared document.
    virtual void output(const Report::PagedDocument& document) = 0;
    // "<group> - pagina <n>.pdf", "<group> - nuova pagina.pdf" or "<group> - tutte le pagine.pdf".
    QString pdfName() const;

private:
    // The page on show, or every page of the group, filled and prepared; throws when it cannot.
    const Report::PagedDocument& prepared();

    QString m_failure;
    GroupPageData m_dati;
    GroupPageDocument m_documento;
    std::unique_ptr<GroupBookDocument> m_tutte;
    QCheckBox* m_chkTutteLePagine;
};

// What the group page editor calls from its preview and print buttons, after bringing the slot
// pictures to their printing size: a new screen owned by the editor, shown modally.
namespace GroupPageOutput {
// The page as the editor's controls show it: lblNome, lblPosizione and, for each slot X,
// txtNome_X, txtUM_X, txtCaratteristiche_X, txtCodice_X, txtPrezzo_X and imgFoto_X.
// A control that is missing gives an empty text or picture.
GroupPageData datiDa(const QWidget& editor);
void anteprima(AppContext& context, QWidget* editor, const GroupPageData& data);
void stampa(AppContext& context, QWidget* editor, const GroupPageData& data);
} // namespace GroupPageOutput
