#pragma once

#include "documents/Report.h"

#include <QImage>
#include <QString>

#include <array>
#include <functional>

// What a group page prints, as the page editor shows it: saved or not.
struct GroupPageData {
    struct Slot {
        QString nome;            // surname and name
        QString um;              // role in the group
        QString caratteristiche; // notes
        QString codice;          // e-mail line
        QString prezzo;          // phone line
        QImage foto;
    };
    QString groupName;
    QString pageNumber;          // empty for a page not yet saved
    std::array<Slot, 8> persone; // A to H
};

// Puts the blank slot picture in place of the photo of every slot whose name withheld() names;
// the stored photos stay as they are.
void withholdPhotos(GroupPageData& data, const std::function<bool(const QString& name)>& withheld);

// The printed group page: one A4 portrait sheet with the group's name, eight boxes A to H in
// alternating colours, each with a photo and five texts, and the bare page number.
class GroupPageDocument {
public:
    static constexpr int kSlots = 8;
    static QChar letter(int slot) { return QChar(u'A' + slot); }
    // Top of a slot's box, in millimetres.
    static double boxTop(int slot) { return 6 + 33.0 * slot; }

    GroupPageDocument();

    // Fills every object from the page's data, texts trimmed.
    void fill(const GroupPageData& data);
    // Sets portrait and prepares; throws Report::Error when a photo cannot be drawn.
    void prepare();

    Report::Page& page() { return m_page; }
    const Report::Page& page() const { return m_page; }

private:
    Report::Page m_page;
};
