#pragma once

#include "access/PasswordError.h"

#include <QString>

class PasswordStore;

// The rules of login and password change, on top of the password file.
namespace AccessCheck {
// The longest password the scramble stores faithfully.
inline constexpr int kMaxLength = 255;

// The password the installation writes for the first access.
QString firstAccessPassword();
// The form a password is stored and compared in: letters a..z upper-cased, then trimmed.
QString normalised(const QString& typed);
// True when the password has at most 255 characters, each with a code from 1 to 255.
bool storable(const QString& password);

// Login: the typed text against the password stored now. Throws PasswordError when the file
// cannot be read or its value is not hexadecimal.
bool accepts(const PasswordStore& store, const QString& typed);

enum class Change {
    Done,         // the new password is stored
    WrongOld,     // the current password does not match; nothing written
    NotConfirmed, // new password and confirmation differ; nothing written
    NotStorable,  // the new password cannot be stored faithfully; nothing written
};
// Checks in this order: the current password, the confirmation (exact, case included), the
// characters; then stores the new password normalised. Throws PasswordError on read or write failure.
Change change(const PasswordStore& store, const QString& old, const QString& newPassword,
              const QString& confirmation);

// Writes the first-access password into a program folder that has no password file yet.
// Returns false when a file is already there (it is never overwritten). Throws PasswordError.
bool installFirstAccess(const QString& programFolder);
enum class Operation { Login, Change };
// What the user reads when the password file fails: what did not happen, the file system's reason in
// Italian and what to do about it.
QString failureMessage(const PasswordError& error, Operation operation);
} // namespace AccessCheck
