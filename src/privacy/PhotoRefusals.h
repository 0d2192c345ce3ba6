#pragma once

#include "privacy/ConsentFile.h"

#include <QSet>
#include <QString>

// The cards whose photo consent is "no": their photo prints as the blank silhouette (the stored
// photo stays). A group page slot names its person only by name, so a slot is withheld when its
// name, trimmed, with runs of blanks made one and A..Z read as a..z, equals the name of any such
// card: two persons of the same name both lose the photo rather than one showing it.
class PhotoRefusals {
public:
    PhotoRefusals() = default;
    // Reads the consents and, for the cards that refuse, their names from the registry archive
    // (one lock, only when some card refuses). Throws ArchiveError when the archive cannot be read.
    static PhotoRefusals load(const QString& programFolder);
    // From a book and the names of its refusing cards (position, name), for tests and callers that
    // read them already.
    static PhotoRefusals from(const ConsentBook& book, const QHash<int, QString>& names);

    bool byPosition(int position) const { return m_positions.contains(position); }
    bool byName(const QString& name) const;
    bool isEmpty() const { return m_positions.isEmpty(); }

    static QString nameKey(const QString& name);

private:
    QSet<int> m_positions;
    QSet<QString> m_names;
};
