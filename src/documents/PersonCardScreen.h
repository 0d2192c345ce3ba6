#pragma once

#include "documents/DocumentScreen.h"
#include "documents/PersonCardDocument.h"

class PhotoBox;
class TfrmCandidati;

// What the person card's preview and print screens share: the card's photo taken from the
// registry editor when shown, and the filling of the document from the editor's fields.
class PersonCardScreen : public DocumentScreen {
    Q_OBJECT
public:
    PersonCardScreen(AppContext& context, QWidget* owner, const Aspetto& aspetto, QString failure);

    PersonCardDocument& documento() { return m_documento; }
    PhotoBox* imgLogo() const { return m_imgLogo; }

protected:
    void showEvent(QShowEvent* event) override;
    void btnStampaClick() override;
    void btnSalvaPdfClick() override;
    // Shows or prints the prepared document.
    virtual void output() = 0;
    // The card's name as the document holds it, with ".pdf".
    QString pdfName() const;

private:
    // Fills the document from the editor and prepares it; throws when it cannot.
    void fill();
    // The registry editor that opened the screen.
    const TfrmCandidati* editor() const;

    QString m_failure;
    PersonCardDocument m_documento;
    PhotoBox* m_imgLogo;
    PhotoBox* m_imgTemp;
};
