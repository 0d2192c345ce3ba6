#pragma once

#include "widgets/Screen.h"

class QLabel;

class TfrmTrovaCandidati : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmTrovaCandidati(AppContext& context, QWidget* owner);

    // The mode word written by the opener: "candidati" or "persona_a" ... "persona_h".
    QLabel* lblMemory() const { return m_lblMemory; }

private:
    QLabel* m_lblMemory;
};
