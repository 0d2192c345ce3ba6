#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// A small file system of its own (tmpfs), filled to its last byte once the test has put its old
// files there. Mounting needs the right to mount: without it isMounted() is false and the test skips.
class FullDisk {
public:
    FullDisk()
    {
        m_mounted = m_dir.isValid() && QProcess::execute(QStringLiteral("mount"),
                                                         {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                          QStringLiteral("-o"), QStringLiteral("size=512k"),
                                                          QStringLiteral("tmpfs"), m_dir.path()}) == 0;
    }
    ~FullDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool isMounted() const { return m_mounted; }
    // With its trailing separator, as the program folder.
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }

    // Mounts the file system again read-only, with the files put there so far; true on success.
    bool makeReadOnly()
    {
        return m_mounted &&
               QProcess::execute(QStringLiteral("mount"),
                                 {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_dir.path()}) == 0;
    }

    // Takes every free byte; true when the disk then refuses even one more byte.
    bool fill()
    {
        QFile filler(folder() + QStringLiteral("riempitivo.bin"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write(block.constData(), 1) == 1) {
        }
        filler.close();
        QFile probe(folder() + QStringLiteral("prova.bin"));
        const bool full =
            probe.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && probe.write("x", 1) != 1;
        probe.close();
        probe.remove();
        return full;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
