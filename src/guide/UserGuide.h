#pragma once

#include "guide/GuideContent.h"
#include "guide/ScreenPictures.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

class QIODevice;
class QPdfWriter;

// The user guide Guida.pdf: a title page, a table of contents, then the chapters of
// GuideContent, each with the pictures of its screens, written as an A4 PDF. Every block of
// text lies whole on one page, so the text layer holds each line once.
class UserGuide {
public:
    explicit UserGuide(ScreenMaterial material = {});

    // Writes the whole file or nothing; on failure returns false and tells why.
    bool write(const QString& path, QString* error = nullptr) const;
    bool write(QIODevice* device) const;

    // The heading of each chapter, in order, as printed in the guide and its contents page.
    static QStringList chapterHeadings();

private:
    std::optional<QByteArray> pdf() const;
    bool draw(QPdfWriter& writer) const;

    ScreenMaterial m_material;
};
