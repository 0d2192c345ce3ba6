#include "storage/PhotoFiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace {
constexpr int kJpegQuality = 90;
}

PhotoFiles::Read PhotoFiles::read(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), Outcome::Unreadable};
    const QByteArray bytes = file.readAll();
    file.close();
    if (isCutShortJpeg(bytes))
        return {QImage(), Outcome::Unreadable};
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    QImage picture;
    if (!reader.read(&picture) || picture.isNull())
        return {QImage(), Outcome::Unreadable};
    return {picture, Outcome::Loaded};
}

QImage PhotoFiles::load(const QString& path)
{
    return read(path).picture;
}

bool PhotoFiles::isCutShortJpeg(const QByteArray& bytes)
{
    if (!bytes.startsWith(QByteArrayView("\xFF\xD8", 2)))
        return false;
    // Inside the compressed data a 0xFF byte is always followed by 0x00 or a restart marker,
    // so the last start-of-scan and end-of-image markers found are real ones.
    const qsizetype lastScan = bytes.lastIndexOf(QByteArrayView("\xFF\xDA", 2));
    const qsizetype end = bytes.lastIndexOf(QByteArrayView("\xFF\xD9", 2));
    return lastScan >= 0 && end < lastScan;
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
