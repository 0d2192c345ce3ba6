#pragma once

#include "privacy/ConsentFile.h"
#include "privacy/ConsentFormText.h"
#include "widgets/Screen.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The consents of the card on show in the registry editor: consent to data processing (its
// date, given by the person or by parents or guardians), consent to photos and a note, stored in
// the side file by the card's position; and the consent form to sign, printed or saved as PDF.
class TfrmConsensi : public SecondaryScreen {
    Q_OBJECT
public:
    // person: the card's data as the editor shows it, for the form.
    TfrmConsensi(AppContext& context, QWidget* owner, int position, const ConsentFormText::Person& person);

    // The consent as the screen's controls hold it.
    Consent consenso() const;
    void mostra(const Consent& consent);
    // Closing with changes not saved asks whether to save them first.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void costruisci();
    void aggiornaAbilitati();
    void btnSalvaClick() { salva(); }
    // True when the consents are in the file.
    bool salva();
    bool salvaAssociazione();
    void btnStampaModuloClick();
    void btnSalvaPdfClick();
    QStringList moduloRighe() const;
    bool modificato() const;
    void aggiornaAvvisoNota();

    int m_position;
    ConsentFormText::Person m_person;
    // The card's entry as last read or written: another workstation's change is caught at the save.
    std::optional<Consent> m_letto;
    // The file as read when the screen opened: its warning is given when the screen shows.
    ConsentBook m_libro;
    // The note of the entry read was longer than the screen keeps.
    bool m_notaAccorciata = false;
    QLabel* m_lblScheda = nullptr;
    QCheckBox* m_chkTrattamento = nullptr;
    QDateEdit* m_dtpData = nullptr;
    QRadioButton* m_optPersona = nullptr;
    QRadioButton* m_optTutore = nullptr;
    QLineEdit* m_txtTutori = nullptr;
    QComboBox* m_cboFoto = nullptr;
    QPlainTextEdit* m_txtNota = nullptr;
    QLabel* m_lblNotaLunga = nullptr;
    QLineEdit* m_txtAssociazione = nullptr;
    QPushButton* m_btnSalva = nullptr;
    QPushButton* m_btnChiudi = nullptr;
    QPushButton* m_btnStampaModulo = nullptr;
    QPushButton* m_btnSalvaPdf = nullptr;
};
