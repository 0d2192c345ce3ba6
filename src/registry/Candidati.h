#pragma once

#include "storage/TSchedaAnagrafica.h"
#include "widgets/Screen.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class PhotoBox;

// The registry editor: one person's card at a time.
class TfrmCandidati : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmCandidati(AppContext& context);

    // The edit field of one of the 25 text fields (Candidato ... Note).
    QLineEdit* campo(TSchedaAnagrafica::Campo campo) const { return m_campi.at(campo); }
    QCheckBox* chkRicontatta() const { return m_chkRicontatta; }
    QLabel* lblPosizione() const { return m_lblPosizione; }
    PhotoBox* imgFoto() const { return m_imgFoto; }

    // Spreads a record over the screen: the 25 fields, the flag and the attachment labels.
    void MostraScheda(const TSchedaAnagrafica& scheda);
    // Loads a card found elsewhere (search, recontact summary) as browsing would:
    // the record, its position and then its photo.
    void caricaScheda(const TSchedaAnagrafica& scheda, int position);
    // Clears the screen for a new card.
    void AzzeraScheda();

protected:
    void onClose() override;
    void showEvent(QShowEvent* event) override;

private:
    std::array<QLineEdit*, TSchedaAnagrafica::kCampiTesto> m_campi{};
    // lblFile01..03 then lblDesc01..03, the hidden attachment names and descriptions.
    std::array<QLabel*, 6> m_allegati{};
    QCheckBox* m_chkRicontatta;
    QLabel* m_lblPosizione;
    PhotoBox* m_imgFoto;
};
