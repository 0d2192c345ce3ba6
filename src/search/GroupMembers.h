#pragma once

#include "storage/TSchedaAnagrafica.h"

#include <QSet>
#include <QString>
#include <QStringView>

// The persons of one group, known by the names stored in its pages: a registry card belongs
// to the group when its name is one of them. Letter case (a..z) and the blanks around and
// between the words do not count; two cards of the same name both belong.
class GroupMembers {
public:
    // Reads every slot name of every page of the group file. Throws ArchiveError.
    static GroupMembers read(const QString& groupPath);

    void add(QStringView name);
    bool contains(const TSchedaAnagrafica& scheda) const;
    bool contains(QStringView name) const;
    qsizetype size() const { return m_names.size(); }

    // The name as it is compared: blanks folded to one between words, A..Z as a..z.
    static QString key(QStringView name);

private:
    QSet<QString> m_names;
};
