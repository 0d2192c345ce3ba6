#pragma once

#include "storage/ShareProbe.h"
#include "widgets/Screen.h"

class QLabel;
class QPushButton;
class QTimer;

// "Verifica condivisione": tells whether the shared program folder protects the archives when
// several workstations use them. One workstation holds a probe lock for a minute; the other
// checks that it is refused.
class TfrmVerificaCondivisione : public SecondaryScreen {
    Q_OBJECT
public:
    static constexpr int kDurataSecondi = 60;

    TfrmVerificaCondivisione(AppContext& context, QWidget* owner);
    ~TfrmVerificaCondivisione() override;

    bool tieneBlocco() const { return m_probe.holding(); }

    void btnTieniClick();
    void btnVerificaClick();

private:
    void aggiornaAttesa();
    void rilascia();

    ShareProbe m_probe;
    QLabel* m_lblEsito = nullptr;
    QPushButton* m_btnTieni = nullptr;
    QTimer* m_secondi = nullptr;
    int m_restanti = 0;
};
