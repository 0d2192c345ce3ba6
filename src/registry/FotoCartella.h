#pragma once

#include "registry/FolderPhotoMatch.h"
#include "registry/FolderPhotoScan.h"
#include "widgets/Screen.h"

#include <QHash>
#include <QList>
#include <QString>

class HintLine;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// "Importa foto da cartella": the pictures of a folder matched to the registry's cards by their
// file names, with a thumbnail, the suggested crop and what will happen to each; "Applica"
// writes the ticked ones as the cards' photos and reports.
class TfrmFotoCartella : public SecondaryScreen {
    Q_OBJECT
public:
    enum Colonna { ColApplica, ColFoto, ColFile, ColScheda, ColRitaglio, ColEsito, NumeroColonne };

    TfrmFotoCartella(AppContext& context, QWidget* owner);
    ~TfrmFotoCartella() override;

    void cmdCartellaClick();
    void cmdApplicaClick();
    // Lists the files of a folder, as choosing it in the dialog does.
    void apriCartella(const QString& folder);

    const QList<FolderPhotoRow>& righe() const { return m_righe; }
    QTableWidget* grdFoto() const { return m_grdFoto; }
    // True while the files are being examined; "Applica" waits for the end.
    bool inEsame() const { return m_inEsame; }
    QString rapporto() const { return m_rapporto; }
    // How long the writing goes on before the progress window shows, in ms.
    void setAttesaProgresso(int ms) { m_attesaProgresso = ms; }

signals:
    // The cards that have just got a new photo file.
    void fotoScritte(const QList<int>& positions);
    void esameConcluso();

private:
    void esaminata(int index, const PhotoProbe& probe);
    void fineEsame();
    // Gives every row its outcome again and shows the rows that changed.
    void decidi(int esaminata = -1);
    void mostraRiga(int row);
    void aggiornaRiepilogo();
    void spuntaCambiata(QTableWidgetItem* item);
    bool haFoto(int position);

    RegistryPhotoIndex m_indice;
    QList<FolderPhotoRow> m_righe;
    QHash<int, bool> m_fotoPresenti;
    FolderPhotoScan* m_scan;
    bool m_inEsame = false;
    bool m_mostrando = false;
    QString m_rapporto;
    int m_attesaProgresso = 300;

    QLabel* m_lblCartella;
    QLabel* m_lblRiepilogo;
    QTableWidget* m_grdFoto;
    QPushButton* m_cmdApplica;
    HintLine* m_hint;
};
