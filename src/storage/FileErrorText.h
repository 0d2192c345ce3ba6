#pragma once

#include <QString>

class QFileDevice;

// The file system's error texts in Italian, for the messages that show them.
namespace FileErrorText {

// The system's error texts (as the C library, Windows or Qt word them: no space left, quota,
// read-only disk, permission denied, name too long, missing file, busy or locked file, network
// share gone, input/output error...) in Italian; any other text as it is.
QString italian(const QString& systemText);

// Why a write or an open of this file failed, in Italian. Qt leaves some failures without a text
// ("Unknown error"): then the disk of the file's folder says it, full or read-only.
QString of(const QFileDevice& file);

// The reason for a failed write into the folder when no text came with it: the disk full or
// read-only, or a general write error.
QString ofFolder(const QString& folder);

// " (reason)" after a message, or nothing when there is no reason.
QString inParentheses(const QString& systemText);

} // namespace FileErrorText
