#pragma once

#include "import/ImportMapping.h"
#include "import/ImportPlan.h"
#include "widgets/Screen.h"

#include <QList>
#include <QString>
#include <QStringList>

class HintLine;
class ImportPreviewModel;
class QComboBox;
class QLabel;
class QTableView;
class QTableWidget;

// Brings the persons of a spreadsheet into the registry: the file, the match of its columns to
// the card's fields, a preview of every row and the append, with an end report.
class TfrmImporta : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmImporta(AppContext& context, QWidget* owner);

    void cmdApriClick();
    void cmdFotoClick();
    void cmdImportaClick();
    void cmdStampaClick();
    void cmdSalvaRapportoClick();

    // The file read; the rows after its header row; the report of the last import.
    QString file() const { return m_file; }
    ImportPreviewModel* model() const { return m_model; }
    const ImportMapping& mapping() const { return m_mapping; }
    QString rapporto() const { return m_rapporto; }
    // How long reading or appending goes on before the progress window shows, in ms.
    void setAttesaProgresso(int ms) { m_attesaProgresso = ms; }

private:
    void caricaFile(const QString& path, int foglio);
    void svuota();
    void riempiColonne();
    void aggiornaAnteprima();
    void aggiornaRiepilogo();
    void scegliCampo(int column, int target);

    QString m_file;
    QString m_fileScelto;
    QString m_cartellaFoto;
    QList<QStringList> m_rows;
    QList<SheetReader::CellNote> m_notes;
    ImportMapping m_mapping;
    QString m_rapporto;
    int m_attesaProgresso = 500;

    ImportPreviewModel* m_model;
    QTableWidget* m_grdColonne;
    QTableView* m_grdAnteprima;
    QLabel* m_lblFile;
    QComboBox* m_cboFoglio;
    QLabel* m_lblFoto;
    QLabel* m_lblRiepilogo;
    QLabel* m_panInfo;
    HintLine* m_hint;
};
