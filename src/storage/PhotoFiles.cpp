#include "storage/PhotoFiles.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace {
constexpr int kJpegQuality = 90;
}

QImage PhotoFiles::load(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    QImage picture;
    if (!reader.read(&picture))
        return {};
    return picture;
}

bool PhotoFiles::save(const QImage& picture, const QString& path)
{
    if (picture.isNull())
        return false;
    QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (format.isEmpty() || format == "jpeg")
        format = "jpg";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, format);
    if (format == "jpg")
        writer.setQuality(kJpegQuality);
    if (!writer.write(picture)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
