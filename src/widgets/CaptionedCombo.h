#pragma once

#include <QComboBox>
#include <QString>

class QLabel;

// A drop-down that a screen reader names by its caption and reads the chosen entry as its value
// ("Consenso alle foto", "non indicato"). Qt's own drop-down names itself by the chosen entry on
// Linux, so its caption was never read. The caption label, when there is one, becomes its buddy.
class CaptionedCombo : public QComboBox {
    Q_OBJECT
public:
    CaptionedCombo(QWidget* parent, const QString& name, const QString& caption, QLabel* label = nullptr);
};
