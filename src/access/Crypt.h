#pragma once

#include <QString>

// The reversible scramble of the access password. Each character is one byte (code 0..255);
// the scrambled form holds two upper-case hexadecimal digits per character.

// Scrambles a password; characters above code 255 keep only their low 8 bits.
QString CodificaPassword(const QString& password);

// Unscrambles a hexadecimal text (digits of either case); a final odd digit is ignored.
// Throws PasswordError, producing nothing, when any pair is not hexadecimal.
QString DecodificaPassword(const QString& digits);
