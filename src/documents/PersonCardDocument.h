#pragma once

#include "documents/Report.h"

#include <QImage>
#include <QString>

#include <array>

// The printed person card: one A4 portrait sheet with the name in a title bar, the photo in a
// large frame and every other field in a captioned box.
class PersonCardDocument {
public:
    // The text objects in the order they are filled, txtCandidato to txtNote.
    static constexpr int kTexts = 25;
    static const std::array<const char*, kTexts>& textNames();

    PersonCardDocument();

    // Fills the sheet: texts are trimmed; an unknown name throws Report::Error.
    void setText(const QString& name, const QString& text);
    void setPhoto(const QImage& photo);
    // Sets portrait and prepares; throws Report::Error when the photo cannot be drawn.
    void prepare();

    Report::Page& page() { return m_page; }
    const Report::Page& page() const { return m_page; }

private:
    Report::Page m_page;
};
