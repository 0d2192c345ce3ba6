#include "registry/FolderPhotoScan.h"

#include "photos/PhotoCrop.h"
#include "storage/PhotoFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QThread>

#include <algorithm>
#include <new>

namespace {

// Pictures are decoded no larger than this for the thumbnails: a JPEG decodes reduced at once.
constexpr QSize kReduced(480, 480);
// A file larger than this is no photo the program takes.
constexpr qint64 kMaxBytes = 200LL * 1024 * 1024;

bool hasImageSuffix(const QFileInfo& info)
{
    const QByteArray suffix = info.suffix().toLower().toLatin1();
    return !suffix.isEmpty() && QImageReader::supportedImageFormats().contains(suffix);
}

// Bytes no picture starts with: text, or a document or archive of another kind.
bool isOtherContent(const QByteArray& bytes)
{
    static const QByteArray kOthers[] = {
        QByteArrayLiteral("%PDF"), QByteArrayLiteral("PK\x03\x04"), QByteArrayLiteral("\xD0\xCF\x11\xE0"),
        QByteArrayLiteral("Rar!"), QByteArrayLiteral("7z\xBC\xAF"), QByteArrayLiteral("\x1F\x8B")};
    for (const QByteArray& start : kOthers) {
        if (bytes.startsWith(start))
            return true;
    }
    // Text: no control character other than tab, line ends and form feed.
    const QByteArrayView head = QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 4096));
    return std::none_of(head.begin(), head.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f') || b == 0x7F;
    });
}

PhotoProbe examineBytes(const QByteArray& bytes, const QFileInfo& info)
{
    PhotoProbe probe;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // A phone stores a portrait photo lying down, with a tag that says how to turn it.
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        // A text named like a photo is no picture; an empty file or unknown bytes under a picture's name
        // are a damaged one.
        const bool damaged = hasImageSuffix(info) && (bytes.isEmpty() || !isOtherContent(bytes));
        probe.kind = damaged ? PhotoKind::Damaged : PhotoKind::NotPicture;
        return probe;
    }
    // With the orientation applied, the reader gives the upright size and scales in it.
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || PhotoFiles::isCutShortJpeg(bytes)) {
        probe.kind = PhotoKind::Damaged;
        return probe;
    }
    if (qint64(size.width()) * size.height() > PhotoFiles::kMaxPixels) {
        probe.kind = PhotoKind::TooLarge;
        return probe;
    }
    if (size.width() > kReduced.width() || size.height() > kReduced.height())
        reader.setScaledSize(size.scaled(kReduced, Qt::KeepAspectRatio));
    QImage reduced;
    if (!reader.read(&reduced) || reduced.isNull()) {
        probe.kind = PhotoKind::Damaged;
        return probe;
    }
    probe.kind = PhotoKind::Picture;
    probe.size = size;
    probe.thumbnail =
        reduced.scaled(FolderPhotoFiles::kThumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const PhotoCrop::Suggestion suggestion = PhotoCrop::suggest(reduced, FolderPhotoFiles::kCropThumbnail);
    probe.suggestedCrop = PhotoCrop::cropped(reduced, suggestion.frame, FolderPhotoFiles::kCropThumbnail);
    probe.faceInDoubt = suggestion.faceInDoubt;
    return probe;
}

} // namespace

QStringList FolderPhotoFiles::list(const QString& folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        paths.append(info.absoluteFilePath());
    return paths;
}

PhotoProbe FolderPhotoFiles::examine(const QString& path)
{
    PhotoProbe probe;
    const QFileInfo info(path);
    QFile file(path);
    // Only a regular file, also behind a link: a device or a pipe named like a photo reads for ever.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly) || file.isSequential()) {
        probe.kind = PhotoKind::Unreadable;
        return probe;
    }
    if (info.size() > kMaxBytes) {
        probe.kind = PhotoKind::TooLarge;
        return probe;
    }
    try {
        const QByteArray bytes = file.read(kMaxBytes + 1);
        if (file.error() != QFileDevice::NoError) {
            probe.kind = PhotoKind::Unreadable;
            return probe;
        }
        if (bytes.size() > kMaxBytes) {
            probe.kind = PhotoKind::TooLarge;
            return probe;
        }
        return examineBytes(bytes, info);
    } catch (const std::bad_alloc&) {
        probe.kind = PhotoKind::TooLarge;
        return probe;
    }
}

FolderPhotoScan::FolderPhotoScan(QObject* parent)
    : QObject(parent)
{
}

FolderPhotoScan::~FolderPhotoScan()
{
    stop();
}

void FolderPhotoScan::start(const QStringList& paths)
{
    stop();
    // The reader's limit is a setting of the whole program: set on this thread, before any reading.
    PhotoFiles::allowLargePhotos();
    auto halt = std::make_shared<std::atomic_bool>(false);
    m_stop = halt;
    m_thread.reset(QThread::create([this, paths, halt] {
        for (int i = 0; i < paths.size() && !*halt; ++i) {
            PhotoProbe probe = FolderPhotoFiles::examine(paths.at(i));
            QMetaObject::invokeMethod(
                this,
                [this, i, probe = std::move(probe), halt] {
                    if (!*halt)
                        emit examined(i, probe);
                },
                Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(
            this,
            [this, halt] {
                if (!*halt)
                    emit finished();
            },
            Qt::QueuedConnection);
    }));
    m_thread->start();
}

void FolderPhotoScan::stop()
{
    if (m_stop)
        *m_stop = true;
    if (m_thread) {
        m_thread->wait();
        m_thread.reset();
    }
}

bool FolderPhotoScan::isRunning() const
{
    return m_thread && m_thread->isRunning();
}
