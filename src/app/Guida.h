#pragma once

#include "widgets/Screen.h"

class LinkText;
class QLabel;
class QPlainTextEdit;

// The help screen: a topic title, its text and the link to the user guide in PDF.
class TfrmGuida : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmGuida(AppContext& context, QWidget* owner);

    // The user guide's file name in the program folder.
    static QString guideFileName() { return QStringLiteral("Guida.pdf"); }
    void setTopic(const QString& title, const QString& text);

private:
    void lnkWebClick();

    QLabel* m_lblTitolo;
    QPlainTextEdit* m_txtGuida;
    LinkText* m_lnkWeb;
};
