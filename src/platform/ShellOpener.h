#pragma once

#include <QString>

// The desktop's "open" operation for files, folders, web and mailto: addresses.
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    // Hands the target over; false when the system refused it (nothing to open it with). A true
    // does not promise that a window opened.
    virtual bool open(const QString& target) = 0;
};

class DesktopShellOpener final : public ShellOpener {
public:
    bool open(const QString& target) override;
};
