#pragma once

#include <QString>

// The desktop's "open" operation for files, folders, web and mailto: addresses.
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    // Hands the target over; the outcome is not examined.
    virtual void open(const QString& target) = 0;
};

class DesktopShellOpener final : public ShellOpener {
public:
    void open(const QString& target) override;
};
