#pragma once

#include <QString>

// One value of a small settings file of the program folder, read and written as UTF-8 text
// lines ("[Sezione]", then "Chiave=valore"). Sections and keys match whatever their letter case;
// lines the program does not know are kept when the file is written again.
namespace IniLines {
// The trimmed value of the key inside the section; empty when the file, section or key is missing.
QString value(const QString& path, const QString& section, const QString& key);
// Writes the whole file anew through a temporary file; false with the reason when it cannot be
// written, and then the file on disk is as it was.
bool setValue(const QString& path, const QString& section, const QString& key, const QString& value,
              QString* reason = nullptr);
} // namespace IniLines
