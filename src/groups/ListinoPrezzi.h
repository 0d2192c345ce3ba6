#pragma once

#include "storage/ArchiveSteps.h"
#include "storage/FotoGruppo.h"
#include "storage/LoadedRecord.h"
#include "storage/TSchedaGruppo.h"
#include "widgets/Screen.h"
#include "widgets/UnsavedChanges.h"

#include <QImage>
#include <QRect>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class EnterKeyOrder;
class HintLine;
class ImageButton;
class PhotoBox;
class TSchedaAnagrafica;
struct GroupPageData;

// The group page editor: one page of eight persons of one group at a time. The screen is the
// only holder of the page; the position label links it to the group file (empty for a new page).
class TfrmListinoPrezzi : public MainScreen {
    Q_OBJECT
public:
    explicit TfrmListinoPrezzi(AppContext& context);

    // Binds the editor to a group file; the open-group screen calls it before showing.
    void apriGruppo(const QString& filePath, const QString& groupName);
    QString groupFile() const;
    QString groupName() const;

    // The search hands a chosen registry card here in the modes "persona_a" ... "persona_h":
    // the slot of that letter gets the person's name, role, notes, e-mail and mobile lines and photo.
    virtual void importaPersona(QChar slot, const TSchedaAnagrafica& record, int position);
    // The photo chosen for the slot, through the crop window (starting from `inizio` when given);
    // false when the user keeps the old one.
    bool mettiFotoRitagliata(int riquadro, const QImage& intera,
                             const std::optional<QRect>& inizio = std::nullopt);

    QLineEdit* campo(int riquadro, TSchedaGruppo::Campo campo) const
    {
        return m_campi.at(riquadro).at(campo);
    }
    PhotoBox* imgFoto(int riquadro) const { return m_imgFoto.at(riquadro); }
    QLabel* lblPosizione() const { return m_lblPosizione; }
    QLabel* lblRecord() const { return m_lblRecord; }

    // Clears the page: 40 empty fields, eight blank images, an empty position.
    void AzzeraPagina();
    // Spreads a record over the 40 fields; neither the photos nor the position change.
    void MostraPagina(const TSchedaGruppo& pagina);
    TSchedaGruppo CompilaPagina() const;
    // The page for the preview and print screens, each slot picture at its printing size: the
    // preview pictures are written and read back, and the page on show stays as it is.
    GroupPageData datiDocumento();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void onClose() override;

private:
    // Layout (ListinoPrezziLayout.cpp).
    void costruisciSchermata();
    void costruisciBarraComandi(QWidget* panContainer);
    void costruisciRiquadro(QWidget* panContainer, int riquadro, const QPoint& origine);
    void collegaOrdineCampi();
    using Gestore = void (TfrmListinoPrezzi::*)();
    ImageButton* comando(QWidget* parent, const char* name, const char* picture, const QRect& geometry,
                         const QString& hint, Gestore gestore);

    // Browsing and photos (ListinoPrezzi.cpp).
    void sfoglia(ArchiveSteps::Comando comando);
    void cmdPrimoClick() { sfoglia(ArchiveSteps::Comando::Primo); }
    void cmdIndietroClick() { sfoglia(ArchiveSteps::Comando::Indietro); }
    void cmdAvantiClick() { sfoglia(ArchiveSteps::Comando::Avanti); }
    void cmdUltimoClick() { sfoglia(ArchiveSteps::Comando::Ultimo); }
    QString posizione() const;
    void mettiTesto(int riquadro, TSchedaGruppo::Campo campo, const QString& text, bool intero = false);
    QString cartellaProgramma() const;
    // The group's name as its file has it, blanks and all: its photos are named after it.
    QString nomeGruppo() const;
    // "C" or "B, F": the slot letters for a message.
    static QString elencoLettere(const QString& letters);
    // The warning for slot photos that could not be written, before the record or after it.
    static QString messaggioFotoNonScritte(const QString& lettere, const QString& perche,
                                           bool primaDellaScheda);
    FotoRiquadri fotoMostrate() const;
    void mostraFoto(const FotoRiquadri& riquadri);
    void caricaFotoRiquadri();
    // What the slot photo files of the position now hold: the pictures on show, except the slots
    // whose file could not be written.
    void ricordaFotoSalvate(int posizione, const QString& nonScritte);
    void imgFotoClick(int riquadro);
    // "Ritaglia" on a slot's photo: a new crop of the photo on show, from the crop chosen last.
    void ritagliaFoto(int riquadro);
    void impProdottoClick(int riquadro);

    // New, save, documents, help (ListinoPrezziComandi.cpp).
    void cmdNuovoClick();
    void cmdSalvaClick() { salva(); }
    // True when the page and its photos were saved.
    bool salva();
    // "" or the warning naming the slot A fields still empty; focuses the first of them.
    QString campiObbligatoriVuoti();
    // "" or the question naming the slots and fields whose text is longer than the record holds.
    QString campiTroppoLunghi() const;
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    // Unsaved edits (ListinoPrezzi.cpp).
    EditorContent contenuto() const;
    void ricordaContenuto();
    // Asks before the page on show is left with unsaved edits; false: stay.
    bool puoLasciare();

    std::array<std::array<QLineEdit*, TSchedaGruppo::NumeroCampi>, TSchedaGruppo::kRiquadri> m_campi{};
    UnsavedChanges m_modifiche;
    std::array<PhotoBox*, TSchedaGruppo::kRiquadri> m_imgFoto{};
    // A stored slot photo that could not be read: the save leaves its file alone.
    std::array<bool, TSchedaGruppo::kRiquadri> m_fotoSconosciuta{};
    // The pictures the slot photo files of m_posizioneFoto hold (0: none known, a new page): a
    // save writes only the photos that differ.
    std::array<QImage, TSchedaGruppo::kRiquadri> m_fotoSalvate{};
    int m_posizioneFoto = 0;
    // The page as read from the archive, to catch another workstation's change at the save.
    LoadedRecord m_caricata;
    QLabel* m_lblFile = nullptr;
    QLabel* m_lblNome = nullptr;
    QLabel* m_lblPosizione = nullptr;
    QLabel* m_lblRecord = nullptr;
    PhotoBox* m_imgBianco = nullptr;
    QLabel* m_panInfo = nullptr;
    HintLine* m_hint = nullptr;
    EnterKeyOrder* m_invio = nullptr;
};
