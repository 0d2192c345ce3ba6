#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>

#include <functional>
#include <stdexcept>
#include <vector>

class QPainter;
class QPagedPaintDevice;

// A small report engine: pages of fixed size holding named text, picture and rectangle
// objects placed in millimetres from the top-left corner of the printable area.
namespace Report {

// The layouts' own unit, 1/96 inch.
inline constexpr double kUnitsPerMm = 96.0 / 25.4;
constexpr double mmFromUnits(double units)
{
    return units / kUnitsPerMm;
}

// Pictures are drawn at no more than this resolution, whatever the device.
inline constexpr double kPictureDotsPerMm = 300.0 / 25.4;
// Pictures with more pixels than this are refused while preparing.
inline constexpr qint64 kLargestPicture = 200'000'000;

// A document that cannot be prepared or drawn.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A font of the layouts by its design name; Arial, Courier New and Verdana fall back to
// the metric-compatible families when they are not installed.
QFont font(const QString& family, double pointSize, bool bold = false);
QString resolvedFamily(const QString& family);
// The font at its exact point size, in pixels of a quarter point, as texts are drawn.
QFont exactFont(const QFont& font);

// A4 with 10 mm margins on every side.
QPageLayout a4(QPageLayout::Orientation orientation);

enum class Kind { Text, Picture, Rectangle };

struct Object {
    QString name;
    Kind kind = Kind::Text;
    QRectF frame; // millimetres
    QFont font;
    QColor textColour = Qt::black;
    QColor fill;    // invalid: not filled
    QColor outline; // invalid: no outline
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString text;
    QImage picture;
    QImage prepared; // the picture at drawing size, made by preparing
};

Object text(const QString& name, const QRectF& frame, const QFont& font,
            Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter, const QColor& colour = Qt::black);
Object rectangle(const QString& name, const QRectF& frame, const QColor& fill, const QColor& outline);
Object picture(const QString& name, const QRectF& frame);

// Where a picture of the given size stands in a frame: scaled to fit, proportions kept, centred.
QRectF fitted(const QSizeF& picture, const QRectF& frame);

// Draws objects in millimetres on a painter whose device has the given resolution and whose
// origin is the printable area's top-left corner.
class Canvas {
public:
    Canvas(QPainter& painter, double dotsPerMm);

    QPainter& painter() { return m_painter; }
    QRectF toDevice(const QRectF& mm) const;
    double dotsPerMm() const { return m_dotsPerMm; }
    // offset: millimetres added to the object's frame (the band's top on the page).
    void draw(const Object& object, QPointF offset = {});
    // One line of text in a frame in millimetres, at the font's exact size, not clipped; a text
    // wider than the frame starts at its left edge.
    void drawText(const QFont& font, const QRectF& frameMm, Qt::Alignment alignment, const QString& text);

private:
    QPainter& m_painter;
    double m_dotsPerMm;
};

// What the renderer draws: a number of pages of one layout.
class PagedDocument {
public:
    virtual ~PagedDocument() = default;
    virtual QPageLayout pageLayout() const = 0;
    virtual int pageCount() const = 0;
    virtual void drawPage(Canvas& canvas, int index) const = 0;
};

// A one-page document of named objects, drawn in the order they were added.
class Page : public PagedDocument {
public:
    explicit Page(const QPageLayout& layout)
        : m_layout(layout)
    {
    }

    Object& add(Object object);
    // Unknown names throw Error: a layout and its filler must agree.
    void setText(const QString& name, const QString& text);
    void setPicture(const QString& name, const QImage& picture);
    const Object& object(const QString& name) const;
    const std::vector<Object>& objects() const { return m_objects; }
    void setOrientation(QPageLayout::Orientation orientation) { m_layout.setOrientation(orientation); }
    // Pictures over this many pixels make preparing fail.
    void setLargestPicture(qint64 pixels) { m_largestPicture = pixels; }

    // Brings every picture to its drawing size; throws Error for a picture that cannot be drawn.
    void prepare();
    bool isPrepared() const { return m_prepared; }

    QPageLayout pageLayout() const override { return m_layout; }
    int pageCount() const override { return 1; }
    void drawPage(Canvas& canvas, int index) const override;

private:
    Object& find(const QString& name, Kind kind);

    QPageLayout m_layout;
    std::vector<Object> m_objects;
    qint64 m_largestPicture = kLargestPicture;
    bool m_prepared = false;
};

// Brings a picture to the size it is drawn at in a frame; throws Error when it cannot.
QImage preparePicture(const QImage& picture, const QRectF& frame, qint64 largestPicture = kLargestPicture);

// Told after each page; returning false stops the output.
using Progress = std::function<bool(int pagesDone, int pageCount)>;

// Draws every page on a printer or PDF writer, one page at a time; nothing but the page being
// drawn is held. Returns false when progress stopped it; abort runs then, before the output ends.
bool render(const PagedDocument& document, QPagedPaintDevice& device, const Progress& progress = {},
            const std::function<void()>& abort = {});
// One page onto an image of the page's full size at dotsPerMm, on white.
QImage renderPage(const PagedDocument& document, int index, double dotsPerMm);

} // namespace Report
