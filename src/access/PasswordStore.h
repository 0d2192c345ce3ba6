#pragma once

#include <QByteArray>
#include <QString>

// The password file of the program folder: an INI settings file whose key "Valore" in section
// "Accesso" holds the scrambled password. It is read anew every time; nothing is cached.
class PasswordStore {
public:
    explicit PasswordStore(const QString& programFolder);

    static QString fileName() { return QStringLiteral("unins000.dll"); }
    QString path() const { return m_path; }

    // The value of "Valore" in "Accesso"; empty when the file, the section or the key is missing.
    // Throws PasswordError when the file is there but cannot be read.
    QString readValue() const;
    // The stored password: the value unscrambled, then trimmed. Throws PasswordError.
    QString storedPassword() const;
    // Replaces the value and keeps every other line; creates the file when it is missing.
    // The file is replaced whole or not at all. Throws PasswordError.
    void writeValue(const QString& value) const;
    // Writes a new file holding the value, only when no file of that name is there.
    // Returns false, touching nothing, when one is. Throws PasswordError on a failed write.
    bool createIfMissing(const QString& value) const;

    // The INI text with the value of a key found, or set, in a section.
    static QString valueIn(const QByteArray& ini, const QByteArray& section, const QByteArray& key);
    // The scrambled value of the password file's bytes, whatever encoding an editor saved them in.
    static QString valueInFile(const QByteArray& fileBytes);
    static QByteArray withValue(const QByteArray& ini, const QByteArray& section, const QByteArray& key,
                                const QByteArray& value);

private:
    QByteArray readFile() const;

    QString m_path;
};
