#include "platform/DeepBoundLibrary.h"

#include <QFile>
#include <QLibrary>
#include <QStringList>

#ifndef Q_OS_WIN
#include <dlfcn.h>
#endif

DeepBoundLibrary::DeepBoundLibrary() = default;
DeepBoundLibrary::~DeepBoundLibrary() = default;

#ifdef Q_OS_WIN

// A DLL always takes its imports from the DLLs it names.
bool DeepBoundLibrary::load(const QString& name, const QString&)
{
    m_library = std::make_unique<QLibrary>(name);
    if (!m_library->load()) {
        m_error = m_library->errorString();
        m_library.reset();
        return false;
    }
    m_error.clear();
    return true;
}

QFunctionPointer DeepBoundLibrary::resolve(const char* symbol) const
{
    return m_library ? m_library->resolve(symbol) : nullptr;
}

#else

namespace {

// The C library's own dlopen. The sanitizers put their dlopen in front of it, which refuses
// RTLD_DEEPBIND (their allocator cannot follow a deep-bound library's malloc and free); such a
// library allocates and frees through the C library on its own, which is sound.
using Open = void* (*)(const char*, int);
Open systemOpen()
{
    static const Open open = [] {
        auto* next = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "dlopen"));
        return next ? next : &dlopen;
    }();
    return open;
}

} // namespace

bool DeepBoundLibrary::load(const QString& name, const QString& version)
{
    const QString base = QStringLiteral("lib%1.so").arg(name);
    QStringList files;
    if (!version.isEmpty())
        files << base + QLatin1Char('.') + version;
    files << base; // only where the development files are installed
    m_error.clear();
    for (const QString& file : files) {
        m_handle = systemOpen()(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
        if (m_handle) {
            m_error.clear();
            return true;
        }
        // The first failure says why the library the program was built for is missing.
        if (m_error.isEmpty())
            m_error = QString::fromLocal8Bit(dlerror());
    }
    return false;
}

QFunctionPointer DeepBoundLibrary::resolve(const char* symbol) const
{
    return m_handle ? reinterpret_cast<QFunctionPointer>(dlsym(m_handle, symbol)) : nullptr;
}

#endif
