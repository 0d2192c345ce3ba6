#pragma once

#include "widgets/Screen.h"

class QPushButton;

// The small screen in front of a document: a white panel with a picture, "Annulla", "Salva PDF"
// and the button that fills the document and outputs it.
class DocumentScreen : public SecondaryScreen {
    Q_OBJECT
public:
    struct Aspetto {
        QString caption;
        QString button;  // caption of btnStampa
        QString picture; // resource of the panel's picture
        QString notice;  // text beside the picture
    };

    DocumentScreen(AppContext& context, QWidget* owner, const Aspetto& aspetto);

    QPushButton* btnStampa() const { return m_btnStampa; }
    QPushButton* btnAnnulla() const { return m_btnAnnulla; }
    QPushButton* btnSalvaPdf() const { return m_btnSalvaPdf; }

protected:
    virtual void btnStampaClick() = 0;
    // Fills the document and saves it as a PDF file.
    virtual void btnSalvaPdfClick() = 0;

private:
    QPushButton* m_btnStampa;
    QPushButton* m_btnSalvaPdf;
    QPushButton* m_btnAnnulla;
};

// The text of the warning shown when a person card cannot be previewed or printed.
QString failureMessage(const QString& firstLine);
