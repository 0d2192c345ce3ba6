#include "storage/SafeSave.h"

#include "storage/FileErrorText.h"

#include <QSaveFile>

namespace {

bool fail(QSaveFile& file, QString* reason)
{
    if (reason)
        *reason = FileErrorText::italian(file.errorString());
    file.cancelWriting();
    return false;
}

} // namespace

bool SafeSave::commit(QSaveFile& file, QString* reason)
{
    if (!file.isOpen() || file.error() != QFileDevice::NoError || !file.flush())
        return fail(file, reason);
    if (!file.commit()) {
        if (reason)
            *reason = FileErrorText::italian(file.errorString());
        return false;
    }
    return true;
}

bool SafeSave::writeFile(const QString& path, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason = FileErrorText::italian(file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size())
        return fail(file, reason);
    return commit(file, reason);
}
