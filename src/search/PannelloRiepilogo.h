#pragma once

#include "search/RicercaSchede.h"

#include <QString>
#include <QStringList>
#include <QWidget>

struct AppContext;
class ModelloRighe;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

// The list of cards shared by the search and the recontact summary, panel `panContainer`:
// the result lines, "Trova" inside them, and the double click that reads the card again.
class PannelloRiepilogo : public QWidget {
    Q_OBJECT
public:
    struct Aspetto {
        QString logo;           // resource of the banner `imgLogo`
        QString nomeIstruzioni; // name of the instruction picture
        QString rigo03;         // text of `lblRigo03`
        bool conteggio = false; // whether the count label `lblTrovate` is shown
        QString titoloStampa;   // title of the printed list
    };

    static constexpr int kLarghezza = 833;
    static constexpr int kAltezza = 529;

    // lastFind: the last "Trova" text, owned by the screen class.
    PannelloRiepilogo(AppContext& context, QWidget* parent, const Aspetto& aspetto, QString& lastFind);

    // Where each card with the double-clicked line goes, with its 1-based position.
    void setRichiamo(RicercaSchede::Visita richiamo) { m_richiamo = std::move(richiamo); }

    // Shows lines already in list order and, on the search screen, their count.
    void mostraRighe(ResultLines lines);
    void svuota();
    // The lines as text, in list order.
    QStringList righe() const;
    // Empties the find field and gives it the focus.
    void preparaTrova();

    QLineEdit* txtTrova() const { return m_txtTrova; }
    QListView* lstRecords() const { return m_lstRecords; }
    QPushButton* btnStampa() const { return m_btnStampa; }

signals:
    // "Chiudi", or the double click has done its work: the screen closes.
    void chiusuraRichiesta();

private:
    void btnTrovaClick();
    void btnStampaClick();
    void lstRecordsDblClick();
    void aggiornaConteggio();

    AppContext& m_context;
    QString& m_lastFind;
    QString m_titoloStampa;
    RicercaSchede::Visita m_richiamo;
    ModelloRighe* m_modello;
    QLineEdit* m_txtTrova;
    QPushButton* m_btnTrova;
    QListView* m_lstRecords;
    QLabel* m_lblTrovate = nullptr;
    QPushButton* m_btnChiudi;
    QPushButton* m_btnStampa;
    QPushButton* m_btnSalvaPdf;
};
