#pragma once

#include "checks/Verdict.h"

#include <QString>

#include <optional>

// The check digit (Luhn over the first ten digits) and the issuing VAT office of a partita IVA.
namespace ControlloPartitaIva {
inline constexpr int kLunghezza = 11;

struct Esito {
    Verdict verdict = Verdict::WrongLength;
    QString codiceUfficio; // digits 8 to 10, when the number is valid
    QString ufficio;       // the office's name; empty when the code is not in the table
};

// The expected 11th digit for the first ten digits; none when they are fewer or not all 0..9.
std::optional<int> cifraDiControllo(const QString& numero);

// The office of a three-digit code; empty when the code is not in the table.
QString ufficio(const QString& codice);
// How many offices the table holds.
int numeroUffici();

// Upper-cases a..z, then checks length, digits and check digit, and looks up the office.
Esito verifica(const QString& testo);
} // namespace ControlloPartitaIva
