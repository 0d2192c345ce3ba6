#pragma once

#include <QString>

// The file system's error texts in Italian, for the messages that show them.
namespace FileErrorText {

// The common errors (name too long, no space left, permission denied, read-only file system, no
// such file) in Italian; any other text as it is.
QString italian(const QString& systemText);

// " (reason)" after a message, or nothing when there is no reason.
QString inParentheses(const QString& systemText);

} // namespace FileErrorText
