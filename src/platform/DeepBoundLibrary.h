#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

class QLibrary;

// A shared library loaded at run time whose own calls go to its own dependencies before any
// symbol of the program. Opened once and kept for the life of the program.
class DeepBoundLibrary {
public:
    // Tries "lib<name>.so.<version>" then "lib<name>.so" (on Windows "<name>.dll").
    bool load(const QString& name, const QString& version);
    QFunctionPointer resolve(const char* symbol) const;
    QString errorString() const { return m_error; }

    DeepBoundLibrary();
    ~DeepBoundLibrary();

private:
#ifdef Q_OS_WIN
    std::unique_ptr<QLibrary> m_library;
#else
    void* m_handle = nullptr; // never closed: the functions stay callable until the end
#endif
    QString m_error;
};
