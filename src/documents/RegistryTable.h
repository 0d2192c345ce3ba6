#pragma once

#include "platform/LargePages.h"
#include "storage/TSchedaAnagrafica.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <array>
#include <functional>
#include <vector>

// The registry as rows of 25 trimmed field texts, read once from the archive, with the user's
// changes kept beside the stored texts. Each row also keeps the card's Sesso, which the table does
// not show and the real spreadsheet files carry. The stored texts stay in Windows-1252, one buffer for
// all cards, so that a large registry costs little memory.
class RegistryTable {
public:
    static constexpr int kColumns = 25;
    static constexpr int kEmptyRows = 10;

    // The field of each column, Candidato to Ricontatta without Sesso.
    static const std::array<TSchedaAnagrafica::Campo, kColumns>& fields();

    // Ten rows of empty cells, as the table shows before anything is read.
    RegistryTable();

    // Called every few hundred cards with the cards read so far and the number in the archive.
    using Progress = std::function<void(int done, int total)>;

    // Reads every card in file order, each trimmed field into its row. A missing archive is
    // created empty; an empty one leaves the ten empty rows. A failure ends the reading: the rows
    // read until then stay. Returns whether the whole archive was read.
    bool read(const QString& archivePath, const Progress& progress = {});

    int rowCount() const { return m_rows; }
    // Rows read from cards (0 for the ten empty rows). Erased (empty) cards give no row.
    int cardCount() const { return m_cards; }
    // The 1-based position in the archive of the card of a row read from a card.
    int position(int row) const { return m_positions[std::size_t(row)]; }

    QString text(int row, int column) const;
    // A change typed into the table; it lives here only.
    void setText(int row, int column, const QString& text);

    // What the writer needs without decoding: the stored bytes of a cell, or its changed text.
    bool isChanged(int row, int column) const;
    QByteArrayView storedBytes(int row, int column) const;
    QString changedText(int row, int column) const;
    // The stored Sesso of a row, trimmed.
    QByteArrayView sexBytes(int row) const { return bytesAt(cellIndex(row, kColumns)); }

private:
    // The columns, then Sesso.
    static constexpr int kCells = kColumns + 1;
    qsizetype cellIndex(int row, int column) const { return qsizetype(row) * kCells + column; }
    QByteArrayView bytesAt(qsizetype index) const;

    int m_rows = 0;
    int m_cards = 0;
    template <class T> using Bulk = std::vector<T, LargePages::Allocator<T>>;

    Bulk<char> m_bytes;                // the trimmed fields of every card, one after another
    Bulk<quint32> m_ends;              // where each cell's bytes end, row by row
    std::vector<int> m_positions;      // the card of each row
    QHash<qsizetype, QString> m_edits; // changed cells by cell index
};
