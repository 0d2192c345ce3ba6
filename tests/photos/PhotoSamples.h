#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QXmlStreamReader>

#include <cmath>

// Pictures the photo tests share.
namespace PhotoSamples {

inline QString data(const QString& name)
{
    return QStringLiteral(FOLVARA_PHOTO_DATA "/") + name;
}

// The face of astronaut.jpg, marked by hand.
inline const QRect kAstronautFace(180, 78, 87, 99);

// A landscape without a face: a sky fading into a meadow.
inline QImage paesaggio(QSize size = QSize(2000, 1500))
{
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(0x40, 0x80, 0xE0));
    sky.setColorAt(1, QColor(0x30, 0xA0, 0x40));
    painter.fillRect(picture.rect(), sky);
    return picture;
}

// White with a black circle of radius r at the centre given.
inline QImage circle(QSize size, QPointF centre, double r)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, r, r);
    return picture;
}

// Width over height of the dark shape, from its second moments: sub-pixel, so a circle gives 1.
inline double darkAspect(const QImage& picture)
{
    double sum = 0, sx = 0, sy = 0, sxx = 0, syy = 0;
    const QImage gray = picture.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* line = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x) {
            const double w = (255 - line[x]) / 255.0;
            sum += w;
            sx += w * x;
            sy += w * y;
            sxx += w * x * x;
            syy += w * y * y;
        }
    }
    if (sum <= 0)
        return 0;
    const double vx = sxx / sum - (sx / sum) * (sx / sum);
    const double vy = syy / sum - (sy / sum) * (sy / sum);
    return std::sqrt(vx / vy);
}

// A JPEG of the picture carrying an EXIF orientation tag.
inline QByteArray jpegWithOrientation(const QImage& picture, int orientation)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpg").write(picture);
    QByteArray tiff = QByteArray::fromHex("4D4D002A00000008"     // big-endian header, first IFD at 8
                                          "0001"                 // one entry
                                          "011200030000000100"); // orientation, SHORT, one value
    tiff += char(orientation);
    tiff += QByteArray(2, '\0') + QByteArray(4, '\0'); // padding, no next IFD
    const QByteArray body = QByteArray("Exif", 4) + QByteArray(2, '\0') + tiff;
    QByteArray segment = QByteArray::fromHex("FFE1");
    segment += char((body.size() + 2) >> 8);
    segment += char((body.size() + 2) & 0xFF);
    segment += body;
    qsizetype at = 2;
    if (jpeg.mid(2, 2) == QByteArray::fromHex("FFE0"))
        at = 4 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5]));
    return jpeg.insert(at, segment);
}

struct MarkedPicture {
    QString file;
    QList<QRect> faces;
};

// The pictures of faces.xml with the faces a person marked in them.
inline QList<MarkedPicture> markedFaces(const QString& folder)
{
    QList<MarkedPicture> result;
    QFile file(folder + QStringLiteral("/faces.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto a = xml.attributes();
        if (xml.name() == u"image")
            result.append({folder + QLatin1Char('/') + a.value(QStringLiteral("file")).toString(), {}});
        else if (xml.name() == u"box" && !result.isEmpty())
            result.last().faces.append(
                QRect(a.value(QStringLiteral("left")).toInt(), a.value(QStringLiteral("top")).toInt(),
                      a.value(QStringLiteral("width")).toInt(), a.value(QStringLiteral("height")).toInt()));
    }
    return result;
}

inline double overlap(const QRect& a, const QRect& b)
{
    const QRect both = a.intersected(b);
    const double inside = double(both.width()) * both.height();
    return inside / (double(a.width()) * a.height() + double(b.width()) * b.height() - inside);
}

} // namespace PhotoSamples
