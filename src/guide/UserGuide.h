#pragma once

#include "app/HelpTopics.h"

#include <QImage>
#include <QList>
#include <QSet>
#include <QString>

class QIODevice;
class QTextDocument;

// A picture of a screen placed in the chapter of its topic, after the text.
struct GuidePicture {
    HelpTopics::Topic chapter;
    QImage image;
    QString caption;
};

// The user guide Guida.pdf: a title page, a table of contents and one chapter per help topic,
// written as an A4 PDF from the same texts the help screen shows.
class UserGuide {
public:
    explicit UserGuide(QList<GuidePicture> pictures = {});

    // Writes the whole file or nothing; on failure returns false and tells why.
    bool write(const QString& path, QString* error = nullptr) const;
    bool write(QIODevice* device) const;

    // The heading of each chapter, in order, as printed in the guide and its contents page.
    static QStringList chapterHeadings();

private:
    QString html(const QList<int>& chapterPages, const QSet<int>& onNewPage, QSizeF content) const;

    QList<GuidePicture> m_pictures;
};
