#pragma once

#include <QComboBox>
#include <QString>

class QLabel;

// A drop-down that a screen reader reads as its caption and the chosen entry, "Consenso alle foto:
// non indicato", with the entry alone as its value. Qt's own drop-down names itself by the chosen
// entry on Linux, so its caption was never read; its bridge tells readers of a new choice as a new
// name, so the name holds both. The caption label, when there is one, becomes its buddy.
class CaptionedCombo : public QComboBox {
    Q_OBJECT
public:
    CaptionedCombo(QWidget* parent, const QString& name, const QString& caption, QLabel* label = nullptr);
};
