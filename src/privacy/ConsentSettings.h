#pragma once

#include <QString>

// The association's name printed on the consent form, in "Consensi.ini" in the program folder
// (section [Consensi], key Associazione, UTF-8). Other lines of the file are kept when it is written.
namespace ConsentSettings {
QString fileName();
// Empty when not set or the file cannot be read.
QString association(const QString& programFolder);
// Written whole through a temporary file; false with the reason when it cannot be.
bool setAssociation(const QString& programFolder, const QString& name, QString* reason = nullptr);
} // namespace ConsentSettings
