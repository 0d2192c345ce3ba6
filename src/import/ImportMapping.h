#pragma once

#include "storage/TSchedaAnagrafica.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// Which card field each column of an imported sheet fills, matched by the column's header.
class ImportMapping {
public:
    // A column's target: a field of the card (Candidato to Ricontatta), or one of these.
    static constexpr int kIgnora = -1;
    static constexpr int kCognome = 100; // joined with kNome into Candidato
    static constexpr int kNome = 101;

    // Every target a column may take, in the order the combo boxes list them, with its caption.
    struct Target {
        int id;
        QString caption;
    };
    static const QList<Target>& targets();
    static QString captionOf(int target);

    // A header folded for matching: lower case, no accents, letters and digits only.
    static QString fold(const QString& header);
    // The target a header names, or kIgnora.
    static int matchHeader(const QString& header);

    ImportMapping() = default;
    // Matches each header; remembered choices (folded header to target) come first.
    static ImportMapping fromHeaders(const QStringList& headers, const QHash<QString, int>& remembered = {});

    int columnCount() const { return int(m_targets.size()); }
    int target(int column) const { return m_targets.value(column, kIgnora); }
    void setTarget(int column, int target);
    bool anyMatched() const;

    // The texts a row gives the card's fields, Candidato joined from surname and name.
    struct Values {
        std::array<QString, TSchedaAnagrafica::NumeroCampi> texts;
        const QString& operator[](TSchedaAnagrafica::Campo campo) const { return texts[campo]; }
    };
    Values values(const QStringList& row) const;
    // The card a row gives: every field stored as the editor stores it.
    static TSchedaAnagrafica card(const Values& values);
    // The same into a card already made, every field written again: cheap for many cards.
    static void fill(const Values& values, TSchedaAnagrafica& scheda);

    // The remembered choices: a small settings file in the program folder.
    static QString settingsPath(const QString& programFolder);
    static QHash<QString, int> remembered(const QString& programFolder);
    // Adds this mapping's choices for the headers to the remembered ones.
    bool remember(const QString& programFolder, const QStringList& headers) const;

    // Files already imported, known by their content: the date and time of the import of a file
    // identical to this one, or an empty string.
    static QString importedOn(const QString& programFolder, const QString& file);
    static bool rememberImported(const QString& programFolder, const QString& file);

private:
    QList<int> m_targets;
};
