#pragma once

#include "platform/LargePages.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>

#include <memory>
#include <vector>

// Result lines kept as their Windows-1252 bytes in large blocks, one allocation per block
// instead of one per line, and put in list order (RicercaSchede::precede) by sort keys taken
// once per line. Equal lines keep the order in which they came.
class ResultLines {
public:
    ResultLines();
    ~ResultLines();
    ResultLines(ResultLines&&) noexcept;
    ResultLines& operator=(ResultLines&&) noexcept;

    // Room for one line of `length` bytes, to be filled before the next call.
    char* append(int length);
    void append(QByteArrayView line);
    // Lines of Unicode text; false (and nothing kept) when one has a character that no
    // Windows-1252 byte reads as.
    bool appendAll(const QStringList& lines);

    // Room for about this many lines, taken before they come.
    void reserve(qsizetype lines);
    // Puts the lines in list order; rows count in that order from then on.
    void sort();

    qsizetype size() const { return qsizetype(m_starts.size()); }
    bool isEmpty() const { return m_starts.empty(); }
    QByteArrayView bytes(qsizetype row) const;
    QString line(qsizetype row) const;
    QStringList all() const;

    // The Unicode character of a Windows-1252 byte, as the archive fields read.
    static QChar charOf(unsigned char byte);
    // The byte that reads as `c`, or -1 when none does.
    static int byteOf(QChar c);

private:
    struct Block;
    // The first 32 bytes of a line as ranks + 1 in list order, packed into numbers that compare as
    // the prefixes do (0 after a short line); the whole lines decide between equal prefixes.
    struct Key {
        std::array<quint64, 4> prefix;
        quint32 index;
    };

    QByteArrayView arrivalBytes(qsizetype index) const;
    // Keys the lines appended so far, each while it is still fresh in the cache.
    void keyNewLines();
    // Whether line a comes before line b; equal lines by arrival.
    bool less(const Key& a, const Key& b) const;
    static int firstDifference(const Key* keys, std::size_t n, int at);
    void insertionSort(Key* keys, std::size_t n) const;
    // Where the run of each rank begins, and the end: ranks 0..255, and 256 past the prefix.
    using RunStarts = std::array<quint32, 258>;
    void sortAll(Key* keys, Key* spare, std::size_t n) const;
    void sortRun(Key* keys, Key* spare, std::size_t n, int at) const;
    void sortBucket(Key* keys, Key* spare, const RunStarts& first, std::size_t rank, int at) const;
    void sortTail(Key* keys, Key* spare, std::size_t n, int at) const;

    template <class T> using Bulk = std::vector<T, LargePages::Allocator<T>>;

    std::vector<std::unique_ptr<Block>> m_blocks;
    // Per line in arrival order: its block (high 32 bits) and offset there (low 32 bits), and its length.
    Bulk<quint64> m_starts;
    Bulk<quint32> m_lengths;
    Bulk<Key> m_keys;
    // Row to arrival index, once sorted.
    Bulk<quint32> m_order;
};
