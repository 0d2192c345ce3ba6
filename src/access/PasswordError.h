#pragma once

#include <stdexcept>
#include <string>

// A password that cannot be read, unscrambled or written.
class PasswordError : public std::runtime_error {
public:
    explicit PasswordError(const std::string& what)
        : std::runtime_error(what)
    {
    }
};
