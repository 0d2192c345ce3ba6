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
    // "versione 1.0", from project(VERSION).
    static QString versionText();
    // The data folder can be changed only when it is the remembered one: not beside the
    // executable, not fixed by FOLVARA_HOME.
    bool dataFolderChangeable() const;

private:
    void lnkWebClick();
    void btnVerificaCondivisioneClick();
    void btnCartellaDatiClick();
    void chkUnicaPostazioneToggled(bool unica);

    QCheckBox* m_chkUnica = nullptr;
};
