#pragma once

#include <QString>

class ShellOpener;

class TMisc {
public:
    // Hands a file, folder, web or mailto: address to the shell's open operation,
    // without the double quotes that callers wrap around paths. Never reports.
    static void Open(ShellOpener& shell, const QString& path);
};
