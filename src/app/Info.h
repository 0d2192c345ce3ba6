#pragma once

#include "widgets/Screen.h"

class QCheckBox;

// The information screen: what the program is and how to reach its maker.
class TfrmInfo : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmInfo(AppContext& context, QWidget* owner);

    // The maker's e-mail address shown by the contact link.
    static QString emailAddress() { return QStringLiteral("info@folvara.it"); }

private:
    void lnkWebClick();
    void btnVerificaCondivisioneClick();
    void chkUnicaPostazioneToggled(bool unica);

    QCheckBox* m_chkUnica = nullptr;
};
