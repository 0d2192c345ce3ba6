#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One chapter of the user guide: its text, then the pictures of its screens.
struct GuideChapter {
    QString title;
    QStringList paragraphs;
    QStringList steps;         // a numbered list after the paragraphs
    QStringList screens;       // class names of the screens pictured after the text
    bool buttonLegend = false; // the table of every image button
};

// What the user guide says, chapter by chapter. The help texts of the program appear once
// each, in the chapter of their screen; a new screen is one more entry here.
namespace GuideContent {
QList<GuideChapter> chapters();
} // namespace GuideContent
