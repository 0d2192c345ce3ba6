#pragma once

#include <QString>

// Whether this workstation may write the archives of the program folder. On a shared folder
// mounted so that its locks or its cache protect nothing, the archives open read-only: every
// command that saves, adds or deletes refuses with the message, and the store writes nothing.
// "Condivisione.ini" in the program folder ([Condivisione] UnicaPostazione=si) states that this
// is the only workstation using the folder, and then such a mount is safe.
namespace ArchiveAccess {

QString settingsFileName();
bool singleWorkstation(const QString& programFolder);
// Written whole through a temporary file; false with the reason when it cannot be.
bool setSingleWorkstation(const QString& programFolder, bool single, QString* reason = nullptr);

// Decides from the mount of the folder and the setting, for the whole program; returns the
// read-only message, empty when the archives may be written.
QString decide(const QString& programFolder);

// For the whole program; an empty message makes the archives writable again.
void setReadOnly(const QString& message);
bool readOnly();
QString readOnlyMessage();
// Throws ArchiveError with the message while the archives are read-only.
void requireWritable();

} // namespace ArchiveAccess
