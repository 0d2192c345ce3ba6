#pragma once

#include "registry/CandidatiRegole.h"
#include "storage/LoadedRecord.h"
#include "storage/TSchedaAnagrafica.h"
#include "widgets/Screen.h"
#include "widgets/UnsavedChanges.h"

#include <QImage>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class EnterKeyOrder;
class HintLine;
class ImageButton;
class PhotoBox;

// The registry editor: one person's card at a time. The screen is the only holder of the
// card; the position label links it to the archive (empty for a card never saved).
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
    // Loads a card found elsewhere (search, recontact summary) as browsing would: the question on
    // unsaved edits, then the record, its position and its photo.
    void caricaScheda(const TSchedaAnagrafica& scheda, int position);
    // Clears the screen for a new card.
    void AzzeraScheda();
    // Puts a photo the user chose (a file, the webcam) on the card; the next save stores it.
    void nuovaFoto(const QImage& foto);
    // The photo chosen by the user, through the crop window (starting from `inizio` when given, else
    // around the face); Esc leaves the card's photo as it was.
    void nuovaFotoRitagliata(const QImage& intera, const std::optional<QRect>& inizio = std::nullopt);
    // "Ritaglia": a new crop of the photo on show, starting from the crop chosen last.
    void ritagliaFoto();
    // Cards whose photo file was just written from elsewhere: the card on show reads its photo again.
    void fotoArchiviate(const QList<int>& positions);

protected:
    void onClose() override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The person's export and erase work on the card shown.
    friend class PrivacyActions;

    // Layout (CandidatiLayout.cpp).
    void costruisciSchermata();
    void costruisciBarraComandi(QWidget* panContainer);
    void costruisciFoto(QWidget* panContainer);
    void costruisciCampi(QWidget* panContainer);
    void costruisciRigaInfo(QWidget* panContainer);
    using Gestore = void (TfrmCandidati::*)();
    // An image button with its hint in the hint line and its click handler.
    ImageButton* comando(QWidget* parent, const char* name, const char* picture, const QRect& geometry,
                         const QString& hint, Gestore gestore);
    void collegaAiutiCampi();

    // Browsing (Candidati.cpp).
    void sfoglia(CandidatiRegole::Comando comando);
    void cmdPrimoClick() { sfoglia(CandidatiRegole::Comando::Primo); }
    void cmdIndietroClick() { sfoglia(CandidatiRegole::Comando::Indietro); }
    void cmdAvantiClick() { sfoglia(CandidatiRegole::Comando::Avanti); }
    void cmdUltimoClick() { sfoglia(CandidatiRegole::Comando::Ultimo); }
    // The record, its position and its photo, without asking about the edits on the screen.
    void mostraCaricata(const TSchedaAnagrafica& scheda, int position);
    void CaricaFoto();
    QString posizione() const;
    QImage segnaposto() const;

    // New, save, duplicate (CandidatiComandi.cpp).
    void cmdNuovoClick();
    void cmdSalvaClick() { salva(); }
    // True when the card was saved (its photo may still have failed: that is said apart).
    bool salva();
    void mostraTestiArchiviati();
    void cmdDuplicaClick();
    TSchedaAnagrafica CompilaScheda() const;

    // Photo commands.
    void btnCaricaFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();
    void btnWebcamClick();
    void cmdFotoCartellaClick();

    // Secondary screens and field helpers.
    void cmdTrovaClick();
    void cmdFileClick();
    void cmdScaduteClick();
    void cmdScadenzeClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdEsportaClick();
    void cmdImportaClick();
    void cmdConsensiClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    void btnCodFiscClick();
    void btnPartitaIvaClick();
    void btnEmailClick();

    // Unsaved edits (Candidati.cpp).
    EditorContent contenuto() const;
    void ricordaContenuto();
    // Asks before the card on show is left with unsaved edits; false: stay.
    bool puoLasciare();

    std::array<QLineEdit*, TSchedaAnagrafica::kCampiTesto> m_campi{};
    UnsavedChanges m_modifiche;
    // lblFile01..03 then lblDesc01..03, the hidden attachment names and descriptions.
    std::array<QLabel*, 6> m_allegati{};
    QCheckBox* m_chkRicontatta = nullptr;
    QLabel* m_lblPosizione = nullptr;
    PhotoBox* m_imgFoto = nullptr;
    PhotoBox* m_imgBianco = nullptr;
    // The position whose photo file exists but could not be shown: a save leaves that file
    // alone until the user puts a new photo on the card or removes it.
    QString m_fotoConservata;
    // The picture the card's photo file holds, as read or last written; null when not known. A
    // save writes the file only when the photo on show differs from it.
    QImage m_fotoSuDisco;
    // The card as read from the archive, to catch another workstation's change at the save.
    LoadedRecord m_caricata;
    QLabel* m_panInfo = nullptr;
    QPushButton* m_btnFocus = nullptr;
    HintLine* m_hint = nullptr;
    EnterKeyOrder* m_invio = nullptr;
};
