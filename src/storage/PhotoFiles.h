#pragma once

#include <QImage>
#include <QString>

class QFileDevice;

// Reading and writing the program's picture files.
namespace PhotoFiles {

// The largest photo read: 100 megapixels, more than any phone of today takes.
constexpr qint64 kMaxPixels = 100'000'000;

enum class Outcome {
    Loaded,
    Missing,    // no file at the path
    Unreadable, // a file that gives no whole picture: damaged, cut short, too large, not an image
};

// Why a file gave no picture.
enum class Fault {
    None,
    CannotOpen, // the file is there but cannot be opened
    Empty,
    NotAnImage, // no picture format the program knows: a text, a document
    Damaged,    // a picture format whose data is broken or cut short
    TooLarge,   // above kMaxPixels
};

struct Read {
    QImage picture; // null unless loaded
    Outcome outcome = Outcome::Missing;
    Fault fault = Fault::None; // set when Unreadable
    QSize size = {};           // the size the file declares, when it does
};

// Why the file gave no picture, as the end of an Italian sentence ("il file ...").
QString faultText(const Read& read);

// Decodes any image the decoder knows, turned upright as its orientation tag says. A JPEG
// whose data ends before its end marker is refused rather than shown half grey, and so are
// images above kMaxPixels.
Read read(const QString& path);
// The same for the bytes of a file already read (never Missing).
Read decode(const QByteArray& bytes);
// Lets the image reader decode photos up to kMaxPixels (its own limit refuses 50 megapixels).
// Called by read() and decode(); a reader of its own calls it first, on the user-interface thread.
void allowLargePhotos();
// The picture of read(), or a null image on any failure.
QImage load(const QString& path);
// True when the bytes are a JPEG stream whose last scan is not followed by its end marker.
bool isCutShortJpeg(const QByteArray& bytes);
// Writes the picture as JPEG (or by the extension), replacing the file only when the
// whole new file is written; otherwise the old file stays whole and reason gets why, in Italian.
bool save(const QImage& picture, const QString& path, QString* reason = nullptr);
// Encodes the picture into an open file by the extension of path (JPEG when none) and flushes it;
// false on any failure, with reason in Italian. The file is neither committed nor closed.
bool encode(const QImage& picture, QFileDevice& file, const QString& path, QString* reason = nullptr);

} // namespace PhotoFiles
