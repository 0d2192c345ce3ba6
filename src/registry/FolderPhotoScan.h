#pragma once

#include "registry/FolderPhotoMatch.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

// What a file of the folder is, with the small pictures the table shows.
struct PhotoProbe {
    PhotoKind kind = PhotoKind::Unknown;
    QSize size;               // the upright picture's size in pixels
    QImage thumbnail;         // the whole picture, within kThumbnail
    QImage suggestedCrop;     // the suggested card crop, kCropThumbnail
    bool faceInDoubt = false; // two boxes looked alike the face: the crop wants a look
};

namespace FolderPhotoFiles {
inline constexpr QSize kThumbnail(96, 96);
inline constexpr QSize kCropThumbnail(72, 96);
// The visible files of a folder, not its subfolders, by name.
QStringList list(const QString& folder);
// Looks at a file: a picture (decoded at a reduced size for the thumbnails), not a picture,
// damaged (a JPEG cut short included), above PhotoFiles::kMaxPixels, or unreadable.
PhotoProbe examine(const QString& path);
} // namespace FolderPhotoFiles

// Examines the files of a folder one after the other on a thread of its own, so that the screen
// stays responsive on a folder of large photos.
class FolderPhotoScan : public QObject {
    Q_OBJECT
public:
    explicit FolderPhotoScan(QObject* parent = nullptr);
    ~FolderPhotoScan() override;

    // Stops a scan under way, then examines the paths; examined() comes for each, then finished().
    void start(const QStringList& paths);
    // Stops after the file being examined and waits for it; nothing more is reported.
    void stop();
    bool isRunning() const;

signals:
    void examined(int index, const PhotoProbe& probe);
    void finished();

private:
    std::unique_ptr<QThread> m_thread;
    std::shared_ptr<std::atomic_bool> m_stop;
};
