#include "documents/Report.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace Report {

namespace {

struct Substitute {
    const char* family;
    const char* metricCompatible;
};

constexpr Substitute kSubstitutes[] = {
    {"Arial", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
    {"Verdana", "DejaVu Sans"},
};

// Outlines are one report unit wide.
constexpr double kOutlineMm = 1.0 / kUnitsPerMm;

// Texts are laid out in quarter points with fonts of whole pixels: the design's point sizes
// then reach every device exactly instead of being rounded to its pixel grid.
constexpr double kTextUnitsPerInch = 288;
constexpr double kTextUnitsPerPoint = kTextUnitsPerInch / 72;

} // namespace

QString resolvedFamily(const QString& family)
{
    if (QFontDatabase::hasFamily(family))
        return family;
    for (const Substitute& s : kSubstitutes) {
        if (family.compare(QLatin1String(s.family), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(s.metricCompatible);
    }
    return family;
}

QFont font(const QString& family, double pointSize, bool bold)
{
    QFont result(resolvedFamily(family));
    result.setPointSizeF(pointSize);
    result.setBold(bold);
    // The same glyph advances on screen, printer and PDF.
    result.setHintingPreference(QFont::PreferNoHinting);
    // One glyph per letter: no ligatures, so that a PDF's text reads, searches and copies as typed.
    result.setStyleStrategy(QFont::PreferNoShaping);
    return result;
}

QPageLayout a4(QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

Object text(const QString& name, const QRectF& frame, const QFont& font, Qt::Alignment alignment,
            const QColor& colour)
{
    Object object;
    object.name = name;
    object.kind = Kind::Text;
    object.frame = frame;
    object.font = font;
    object.alignment = alignment;
    object.textColour = colour;
    return object;
}

Object rectangle(const QString& name, const QRectF& frame, const QColor& fill, const QColor& outline)
{
    Object object;
    object.name = name;
    object.kind = Kind::Rectangle;
    object.frame = frame;
    object.fill = fill;
    object.outline = outline;
    return object;
}

Object picture(const QString& name, const QRectF& frame)
{
    Object object;
    object.name = name;
    object.kind = Kind::Picture;
    object.frame = frame;
    return object;
}

QRectF fitted(const QSizeF& picture, const QRectF& frame)
{
    if (picture.isEmpty() || frame.isEmpty())
        return {};
    const QSizeF size = picture.scaled(frame.size(), Qt::KeepAspectRatio);
    return QRectF(frame.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

QImage preparePicture(const QImage& picture, const QRectF& frame, qint64 largestPicture)
{
    if (picture.isNull())
        return {};
    if (qint64(picture.width()) * picture.height() > largestPicture)
        throw Error("picture too large");
    const QRectF target = fitted(picture.size(), frame);
    const QSize needed(int(std::ceil(target.width() * kPictureDotsPerMm)),
                       int(std::ceil(target.height() * kPictureDotsPerMm)));
    if (needed.isEmpty())
        return {};
    if (picture.width() <= needed.width() && picture.height() <= needed.height())
        return picture;
    QImage result = picture.scaled(needed, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (result.isNull())
        throw Error("picture cannot be scaled");
    return result;
}

Canvas::Canvas(QPainter& painter, double dotsPerMm)
    : m_painter(painter)
    , m_dotsPerMm(dotsPerMm)
{
}

QRectF Canvas::toDevice(const QRectF& mm) const
{
    return QRectF(mm.x() * m_dotsPerMm, mm.y() * m_dotsPerMm, mm.width() * m_dotsPerMm,
                  mm.height() * m_dotsPerMm);
}

void Canvas::draw(const Object& object, QPointF offset)
{
    const QRectF frame = toDevice(object.frame.translated(offset));
    if (object.fill.isValid() || object.outline.isValid()) {
        m_painter.setPen(object.outline.isValid() ? QPen(object.outline, kOutlineMm * m_dotsPerMm)
                                                  : QPen(Qt::NoPen));
        m_painter.setBrush(object.fill.isValid() ? QBrush(object.fill) : QBrush(Qt::NoBrush));
        m_painter.drawRect(frame);
    }
    switch (object.kind) {
    case Kind::Rectangle:
        break;
    case Kind::Text:
        if (object.text.isEmpty())
            break;
        m_painter.save();
        m_painter.setClipRect(frame, Qt::IntersectClip);
        m_painter.setPen(object.textColour);
        drawText(object.font, object.frame.translated(offset), object.alignment, object.text);
        m_painter.restore();
        break;
    case Kind::Picture: {
        const QImage& image = object.prepared.isNull() ? object.picture : object.prepared;
        if (image.isNull())
            break;
        m_painter.save();
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
        m_painter.drawImage(fitted(image.size(), frame), image);
        m_painter.restore();
        break;
    }
    }
}

QFont exactFont(const QFont& font)
{
    QFont result(font);
    result.setPixelSize(int(std::lround(font.pointSizeF() * kTextUnitsPerPoint)));
    return result;
}

void Canvas::drawText(const QFont& font, const QRectF& frameMm, Qt::Alignment alignment, const QString& text)
{
    const double dotsPerUnit = m_dotsPerMm * 25.4 / kTextUnitsPerInch;
    const QFont exact = exactFont(font);
    const QRectF device = toDevice(frameMm);
    const QRectF frame(0, 0, device.width() / dotsPerUnit, device.height() / dotsPerUnit);
    Qt::Alignment align = alignment;
    // A text that does not fit keeps its beginning and is cut at its end, whatever its alignment.
    if ((alignment & Qt::AlignHorizontal_Mask) != Qt::Alignment(Qt::AlignLeft) &&
        QFontMetricsF(exact).horizontalAdvance(text) > frame.width())
        align = Qt::AlignLeft | (alignment & Qt::AlignVertical_Mask);
    m_painter.save();
    m_painter.translate(device.topLeft());
    m_painter.scale(dotsPerUnit, dotsPerUnit);
    m_painter.setFont(exact);
    m_painter.drawText(frame, int(align) | Qt::TextSingleLine, text);
    m_painter.restore();
}

Object& Page::add(Object object)
{
    m_objects.push_back(std::move(object));
    return m_objects.back();
}

Object& Page::find(const QString& name, Kind kind)
{
    for (Object& object : m_objects) {
        if (object.name == name && object.kind == kind)
            return object;
    }
    throw Error("no object named " + name.toStdString());
}

const Object& Page::object(const QString& name) const
{
    for (const Object& object : m_objects) {
        if (object.name == name)
            return object;
    }
    throw Error("no object named " + name.toStdString());
}

void Page::setText(const QString& name, const QString& text)
{
    find(name, Kind::Text).text = text;
    m_prepared = false;
}

void Page::setPicture(const QString& name, const QImage& picture)
{
    Object& object = find(name, Kind::Picture);
    object.picture = picture;
    object.prepared = QImage();
    m_prepared = false;
}

void Page::prepare()
{
    for (Object& object : m_objects) {
        if (object.kind == Kind::Picture)
            object.prepared = preparePicture(object.picture, object.frame, m_largestPicture);
    }
    m_prepared = true;
}

void Page::drawPage(Canvas& canvas, int) const
{
    for (const Object& object : m_objects)
        canvas.draw(object);
}

bool render(const PagedDocument& document, QPagedPaintDevice& device, const Progress& progress,
            const std::function<void()>& abort)
{
    const QPageLayout wanted = document.pageLayout();
    if (!device.setPageLayout(wanted)) {
        device.setPageSize(wanted.pageSize());
        device.setPageOrientation(wanted.orientation());
    }
    QPainter painter;
    if (!painter.begin(&device))
        throw Error("the output cannot be opened");
    const int dpi = device.logicalDpiX();
    const double dotsPerMm = dpi / 25.4;
    // The painter starts where the device puts the printable area: its margins rounded to whole
    // points, or wider ones a printer keeps. The objects stay where the layout puts them on the sheet.
    const QPageLayout kept = device.pageLayout();
    const QPointF origin =
        kept.mode() == QPageLayout::FullPageMode ? QPointF() : QPointF(kept.paintRectPixels(dpi).topLeft());
    const QMarginsF margins = wanted.margins(QPageLayout::Millimeter);
    const QPointF shift(margins.left() * dotsPerMm - origin.x(), margins.top() * dotsPerMm - origin.y());
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage())
            throw Error("a new page cannot be started");
        painter.resetTransform();
        painter.translate(shift);
        Canvas canvas(painter, dotsPerMm);
        document.drawPage(canvas, i);
        if (progress && !progress(i + 1, pages)) {
            if (abort)
                abort();
            painter.end();
            return false;
        }
    }
    if (!painter.end())
        throw Error("the output cannot be completed");
    return true;
}

QImage renderPage(const PagedDocument& document, int index, double dotsPerMm)
{
    const QPageLayout layout = document.pageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    QImage image(int(std::lround(full.width() * dotsPerMm)), int(std::lround(full.height() * dotsPerMm)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dotsPerMm * 1000)));
    image.setDotsPerMeterY(int(std::lround(dotsPerMm * 1000)));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(margins.left() * dotsPerMm, margins.top() * dotsPerMm);
    Canvas canvas(painter, dotsPerMm);
    document.drawPage(canvas, index);
    return image;
}

} // namespace Report
