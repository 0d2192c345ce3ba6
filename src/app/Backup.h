#pragma once

#include "backup/BackupFolder.h"
#include "backup/BackupSettings.h"
#include "widgets/Screen.h"

#include <QList>

class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

// The backups of the program folder: where they go, their list and state, and the commands
// that make, check, restore and delete them. The work is done by the classes of src/backup.
class TfrmBackup : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmBackup(AppContext& context, QWidget* owner);

    void btnEseguiClick();
    void btnVerificaClick();
    void btnRipristinaClick();
    void btnEliminaClick();
    void btnCartellaClick();

    // Starts a backup as soon as the screen is on view (the reminder at exit).
    void setEseguiAllApertura(bool esegui) { m_eseguiAllApertura = esegui; }
    // How long the work goes on before the progress window shows, in ms.
    void setAttesaProgresso(int ms) { m_attesaProgresso = ms; }
    const QList<BackupFolder::Voce>& voci() const { return m_voci; }

    // At the end of the program: when the last checked backup is too old, offers to make one.
    static void promemoriaUscita(AppContext& context, QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void aggiorna();
    void salvaImpostazioni();
    // The backup of the selected row; null (after a warning) when none is selected.
    const BackupFolder::Voce* selezionato();
    // Makes a backup with its progress window; the name of the backup made, or "" (after a warning).
    QString esegui(const QString& testo);

    BackupSettings m_settings;
    QList<BackupFolder::Voce> m_voci;
    bool m_eseguiAllApertura = false;
    int m_attesaProgresso = 400;

    QLineEdit* m_txtCartella;
    QTableWidget* m_grdBackup;
    QSpinBox* m_spnConserva;
    QSpinBox* m_spnPromemoria;
    QLabel* m_lblUltimo;
};
