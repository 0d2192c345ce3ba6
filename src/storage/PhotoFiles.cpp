#include "storage/PhotoFiles.h"

#include "storage/FileErrorText.h"
#include "storage/SafeSave.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <mutex>

namespace {
constexpr int kJpegQuality = 90;
} // namespace

// The reader's own limit refuses a 50-megapixel phone photo. Photos up to kMaxPixels are read
// (four bytes a pixel); larger or forged sizes are refused before any decoding.
void PhotoFiles::allowLargePhotos()
{
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr qint64 kMegabyte = 1024 * 1024;
        const int needed = static_cast<int>((PhotoFiles::kMaxPixels * 4 + kMegabyte - 1) / kMegabyte) + 1;
        if (QImageReader::allocationLimit() < needed)
            QImageReader::setAllocationLimit(needed);
    });
}

PhotoFiles::Read PhotoFiles::read(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), Outcome::Unreadable, Fault::CannotOpen};
    return decode(file.readAll());
}

PhotoFiles::Read PhotoFiles::decode(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {QImage(), Outcome::Unreadable, Fault::Empty};
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    // A phone stores a portrait photo lying down, with a tag that says how to turn it.
    reader.setAutoTransform(true);
    // The format is told by the content, whatever the file's name says.
    if (!reader.canRead())
        return {QImage(), Outcome::Unreadable, Fault::NotAnImage};
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPixels)
        return {QImage(), Outcome::Unreadable, Fault::TooLarge, size};
    if (isCutShortJpeg(bytes))
        return {QImage(), Outcome::Unreadable, Fault::Damaged, size};
    allowLargePhotos();
    QImage picture;
    if (!reader.read(&picture) || picture.isNull())
        return {QImage(), Outcome::Unreadable, Fault::Damaged, size};
    return {picture, Outcome::Loaded, Fault::None, picture.size()};
}

QString PhotoFiles::faultText(const Read& read)
{
    switch (read.fault) {
    case Fault::CannotOpen:
        return QStringLiteral("non pu\u00F2 essere aperto");
    case Fault::Empty:
        return QStringLiteral("\u00E8 vuoto");
    case Fault::NotAnImage:
        return QStringLiteral(
            "non \u00E8 un'immagine (forse \u00E8 un altro tipo di file con il nome di una foto)");
    case Fault::Damaged:
        return QStringLiteral("\u00E8 un'immagine danneggiata o incompleta");
    case Fault::TooLarge: {
        const qint64 pixels = qint64(read.size.width()) * read.size.height();
        return QStringLiteral(
                   "contiene una foto troppo grande (%1 megapixel, %2 \u00D7 %3; il massimo \u00E8 %4 "
                   "megapixel)")
            .arg((pixels + 500'000) / 1'000'000)
            .arg(read.size.width())
            .arg(read.size.height())
            .arg(kMaxPixels / 1'000'000);
    }
    case Fault::None:
        break;
    }
    return read.outcome == Outcome::Missing ? QStringLiteral("non esiste pi\u00F9") : QString();
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

bool PhotoFiles::encode(const QImage& picture, QFileDevice& file, const QString& path, QString* reason)
{
    QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (format.isEmpty() || format == "jpeg")
        format = "jpg";
    QImageWriter writer(&file, format);
    if (format == "jpg")
        writer.setQuality(kJpegQuality);
    // The last bytes stay in the file's buffer until flushed: a full disk shows only there.
    if (!picture.isNull() && writer.write(picture) && file.flush())
        return true;
    if (reason)
        *reason = FileErrorText::italian(file.error() != QFileDevice::NoError ? file.errorString()
                                                                              : writer.errorString());
    return false;
}

bool PhotoFiles::save(const QImage& picture, const QString& path, QString* reason)
{
    if (picture.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason = FileErrorText::italian(file.errorString());
        return false;
    }
    if (!encode(picture, file, path, reason)) {
        file.cancelWriting();
        return false;
    }
    return SafeSave::commit(file, reason);
}
