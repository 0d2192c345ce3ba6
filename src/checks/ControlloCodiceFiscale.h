#pragma once

#include "checks/Verdict.h"

#include <QChar>
#include <QString>

#include <optional>

// The check character of a codice fiscale: the 16th character is computed from the first 15.
namespace ControlloCodiceFiscale {
inline constexpr int kLunghezza = 16;

// Values of a character in an odd (1, 3 ... 15) and even (2, 4 ... 14) position; none outside '0'..'Z'.
std::optional<int> valoreDispari(QChar c);
std::optional<int> valorePari(QChar c);

// The check character for the first 15 characters of an upper-case code; none when the text is
// shorter or holds a character outside '0'..'Z'.
std::optional<QChar> carattereDiControllo(const QString& codice);

// Upper-cases a..z, then checks length and check character.
Verdict verifica(const QString& testo);
} // namespace ControlloCodiceFiscale
