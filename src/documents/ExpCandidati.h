#pragma once

#include "widgets/Screen.h"

class HintLine;
class ImageButton;
class QComboBox;
class QLabel;
class QTableView;
class RegistryTableModel;

// The whole registry as a table, some columns editable in place, and its export to the
// spreadsheet file in the program folder.
class TfrmExpCandidati : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmExpCandidati(AppContext& context, QWidget* owner);

    QTableView* grdRecords() const { return m_grdRecords; }
    RegistryTableModel* model() const { return m_model; }
    // The file format of the export: the designed .xls first, then .xlsx and .ods.
    QComboBox* cboFormato() const { return m_cboFormato; }

    void cmdEsportaClick();
    // Opens the import screen; the table is filled again when it closes.
    void cmdImportaClick();

    // How long filling or exporting goes on before the progress window shows, in ms.
    static constexpr int kAttesaProgresso = 500;
    void setAttesaProgresso(int ms) { m_attesaProgresso = ms; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void riempiTabella();
    // A cell being typed into reaches the table before the export reads it.
    void confermaModifica();

    RegistryTableModel* m_model;
    QTableView* m_grdRecords;
    QComboBox* m_cboFormato;
    QLabel* m_panInfo;
    HintLine* m_hint;
    int m_attesaProgresso = kAttesaProgresso;
    ImageButton* m_cmdEsporta = nullptr;
    bool m_caricamento = false; // the table is being read
};
