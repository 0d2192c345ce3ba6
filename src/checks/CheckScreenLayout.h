#pragma once

#include <QColor>
#include <QString>

class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// What differs between the two check screens.
struct CheckScreenDesign {
    QString fieldName;           // objectName of the edit field
    QString fieldAccessibleName; // what the field holds
    int maxLength = 0;
    QString title;          // the instruction in lblTitolo
    QString bannerResource; // the picture of imgLogo
    QString bannerText;     // accessible name of imgLogo
    QColor containerColour; // fill of shpContainer
};

// The controls the two check screens share, already placed.
struct CheckScreenControls {
    QWidget* panContainer = nullptr;
    QFrame* shpContainer = nullptr;
    QLabel* imgLogo = nullptr;
    QFrame* shpCodFisc = nullptr;
    QLabel* lblTitolo = nullptr;
    QLineEdit* field = nullptr;
    QPushButton* btnControlla = nullptr;
    QPushButton* btnChiudi = nullptr;
};

// Builds the centred panel with banner, instruction, input row and buttons on a check screen, sets the
// tab order field, "Controlla", "Chiudi", and lets Enter in the field move to "Controlla".
CheckScreenControls buildCheckScreen(QDialog* screen, const CheckScreenDesign& design);

// Puts an opener's value into the field whole: a longer value than the field takes is shown as it is
// (and gets the length message) rather than cut to a length that could pass the check. The field takes
// its own limit again once the user has edited it down to that length.
void putCheckValue(QLineEdit* field, int maxLength, const QString& value);
