#pragma once

#include <QString>

// The text rules shared by the whole program.
namespace TextRules {
// Removes every character with code 32 or less from both ends.
QString trim(const QString& text);
// Turns a..z into A..Z; every other character, accented letters included, stays.
QString upperAZ(const QString& text);
// Turns A..Z into a..z only.
QString lowerAZ(const QString& text);
} // namespace TextRules
