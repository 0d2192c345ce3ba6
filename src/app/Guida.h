#pragma once

#include "widgets/Screen.h"

class QLabel;
class QPlainTextEdit;

// The help screen: a topic title and its text.
class TfrmGuida : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmGuida(AppContext& context, QWidget* owner);

    void setTopic(const QString& title, const QString& text);

private:
    QLabel* m_lblTitolo;
    QPlainTextEdit* m_txtGuida;
};
