#pragma once

#include <QString>

#include <stdexcept>
#include <string>

// A password that cannot be read, unscrambled or written.
class PasswordError : public std::runtime_error {
public:
    enum class Step {
        Read,    // the password file cannot be opened or read
        Write,   // the new file cannot be written or put in place
        Damaged, // the file is read, but its value is not a scrambled password
    };

    explicit PasswordError(const std::string& what, Step step = Step::Damaged)
        : std::runtime_error(what)
        , m_step(step)
    {
    }
    // A failure of the file system on the password file, with the system's own text.
    PasswordError(Step step, const QString& path, const QString& systemText, const std::string& what)
        : std::runtime_error(what)
        , m_step(step)
        , m_path(path)
        , m_systemText(systemText)
    {
    }

    Step step() const { return m_step; }
    QString path() const { return m_path; }
    QString systemText() const { return m_systemText; }

private:
    Step m_step;
    QString m_path;
    QString m_systemText;
};
