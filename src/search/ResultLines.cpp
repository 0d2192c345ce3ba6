#include "search/ResultLines.h"

#include "search/RicercaSchede.h"
#include "storage/Cp1252.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <numeric>
#include <optional>
#include <system_error>
#include <thread>

namespace {

constexpr qsizetype kBlockBytes = 4 << 20;
constexpr int kKeyWords = 4;

// The reading of every byte, taken once from the code page.
const std::array<QChar, 256>& charTable()
{
    static const std::array<QChar, 256> table = [] {
        QByteArray bytes(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            bytes[i] = static_cast<char>(i);
        const QString text = Cp1252::decode(bytes);
        std::array<QChar, 256> result{};
        std::copy(text.begin(), text.end(), result.begin());
        return result;
    }();
    return table;
}

// The place of each byte in list order, numbered densely: bytes whose characters sort together
// (a and A) share a number, and the numbers compare as the characters do. Lines of bytes then
// compare as strings of these numbers.
const std::array<uchar, 256>& rankTable()
{
    static const std::array<uchar, 256> table = [] {
        std::array<int, 256> order{};
        for (int b = 0; b < 256; ++b)
            order[b] = RicercaSchede::ordine(charTable()[b]);
        std::array<int, 256> distinct = order;
        std::sort(distinct.begin(), distinct.end());
        const auto end = std::unique(distinct.begin(), distinct.end());
        // a..z share their places with A..Z: the ranks stay below 255, and rank + 1 is a byte.
        Q_ASSERT(end - distinct.begin() < 256);
        std::array<uchar, 256> result{};
        for (int b = 0; b < 256; ++b)
            result[b] =
                static_cast<uchar>(std::lower_bound(distinct.begin(), end, order[b]) - distinct.begin());
        return result;
    }();
    return table;
}

int compareRanks(QByteArrayView a, QByteArrayView b, qsizetype from)
{
    const std::array<uchar, 256>& rank = rankTable();
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = from; i < n; ++i) {
        const auto x = static_cast<uchar>(a[i]);
        const auto y = static_cast<uchar>(b[i]);
        if (x != y && rank[x] != rank[y])
            return rank[x] < rank[y] ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace

struct ResultLines::Block {
    explicit Block(qsizetype size)
        : data(static_cast<char*>(LargePages::allocate(std::size_t(size))))
        , capacity(size)
    {
    }
    ~Block() { LargePages::release(data, std::size_t(capacity)); }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;

    char* data;
    qsizetype used = 0;
    qsizetype capacity;
};

ResultLines::ResultLines() = default;
ResultLines::~ResultLines() = default;
ResultLines::ResultLines(ResultLines&&) noexcept = default;
ResultLines& ResultLines::operator=(ResultLines&&) noexcept = default;

QChar ResultLines::charOf(unsigned char byte)
{
    return charTable()[byte];
}

int ResultLines::byteOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x100 && charTable()[u] == c)
        return u;
    const auto byte = static_cast<unsigned char>(Cp1252::encodeChar(c));
    return charTable()[byte] == c ? byte : -1;
}

char* ResultLines::append(int length)
{
    keyNewLines();
    if (m_blocks.empty() || m_blocks.back()->capacity - m_blocks.back()->used < length) {
        m_blocks.push_back(std::make_unique<Block>(std::max<qsizetype>(kBlockBytes, length)));
    }
    Block& block = *m_blocks.back();
    m_starts.push_back((quint64(m_blocks.size() - 1) << 32) | quint64(block.used));
    m_lengths.push_back(quint32(length));
    m_order.clear();
    char* room = block.data + block.used;
    block.used += length;
    return room;
}

void ResultLines::append(QByteArrayView line)
{
    std::copy(line.begin(), line.end(), append(int(line.size())));
}

bool ResultLines::appendAll(const QStringList& lines)
{
    ResultLines added;
    for (const QString& text : lines) {
        char* out = added.append(int(text.size()));
        for (const QChar c : text) {
            const int byte = byteOf(c);
            if (byte < 0)
                return false;
            *out++ = static_cast<char>(byte);
        }
    }
    for (qsizetype i = 0; i < added.size(); ++i)
        append(added.arrivalBytes(i));
    return true;
}

QByteArrayView ResultLines::arrivalBytes(qsizetype index) const
{
    const quint64 start = m_starts[std::size_t(index)];
    return QByteArrayView(m_blocks[start >> 32]->data + (start & 0xFFFFFFFFu), m_lengths[std::size_t(index)]);
}

QByteArrayView ResultLines::bytes(qsizetype row) const
{
    return arrivalBytes(m_order.empty() ? row : m_order[std::size_t(row)]);
}

QString ResultLines::line(qsizetype row) const
{
    const QByteArrayView text = bytes(row);
    QString result(text.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (const char b : text)
        *out++ = charOf(static_cast<unsigned char>(b));
    return result;
}

QStringList ResultLines::all() const
{
    QStringList result;
    result.reserve(size());
    for (qsizetype row = 0; row < size(); ++row)
        result.append(line(row));
    return result;
}

void ResultLines::keyNewLines()
{
    const std::array<uchar, 256>& rank = rankTable();
    for (std::size_t i = m_keys.size(); i < m_starts.size(); ++i) {
        const QByteArrayView text = arrivalBytes(qsizetype(i));
        const auto* bytes = reinterpret_cast<const uchar*>(text.data());
        const int count = int(std::min<qsizetype>(text.size(), kKeyWords * 8));
        Key& key = m_keys.emplace_back();
        // A byte counts as its rank + 1, so that 0 stands only where a line has ended: keys then
        // agree only for lines that agree in length up to the end of the key.
        // Each word is built in a register: bytes stored one by one and read back as a word
        // would stall on every line.
        for (int w = 0; w < kKeyWords; ++w) {
            quint64 word = 0;
            const int from = 8 * w;
            if (count >= from + 8) {
                for (int k = 0; k < 8; ++k)
                    word = (word << 8) | (rank[bytes[from + k]] + 1u);
            } else {
                for (int k = 0; k < 8; ++k)
                    word = (word << 8) | (from + k < count ? rank[bytes[from + k]] + 1u : 0u);
            }
            key.prefix[w] = word;
        }
        key.index = quint32(i);
    }
}

namespace {

// Below this many keys a run is put in order by insertion rather than by counting.
constexpr std::size_t kSmallRun = 32;
// Past this place in the lines the runs left are sorted by comparison.
constexpr int kTailDepth = 96;
// A rank of the prefix (0..255) or of a line past it (0..256).
constexpr std::size_t kBuckets = 257;
// From this many lines on the sort shares its work with a second thread.
constexpr std::size_t kSharedSortLines = 20000;

// The keys of each rank counted: counts[r + 1] for rank r.
template <class T, class RankOf>
std::array<quint32, kBuckets + 1> countRanks(const T* keys, std::size_t n, RankOf rankOf)
{
    std::array<quint32, kBuckets + 1> counts{};
    for (std::size_t i = 0; i < n; ++i)
        ++counts[rankOf(keys[i]) + 1];
    return counts;
}

// Keys put in rank order by a stable pass through `spare`; `first` turns from the counts into
// where each rank begins.
template <class T, class RankOf>
void scatter(T* keys, T* spare, std::size_t n, RankOf rankOf, std::array<quint32, kBuckets + 1>& first)
{
    std::partial_sum(first.begin(), first.end(), first.begin());
    std::array<quint32, kBuckets> next{};
    std::copy(first.begin(), first.end() - 1, next.begin());
    for (std::size_t i = 0; i < n; ++i)
        spare[next[rankOf(keys[i])]++] = keys[i];
    std::copy(spare, spare + n, keys);
}

// The keys put in order of their rank at `at` (stably); returns where each rank's run begins.
template <class T> std::array<quint32, kBuckets + 1> splitByRank(T* keys, T* spare, std::size_t n, int at)
{
    const int word = at / 8;
    const int shift = 56 - 8 * (at % 8);
    const auto rankOf = [word, shift](const T& key) { return quint8(key.prefix[word] >> shift); };
    std::array<quint32, kBuckets + 1> first = countRanks(keys, n, rankOf);
    scatter(keys, spare, n, rankOf, first);
    return first;
}

} // namespace

bool ResultLines::less(const Key& a, const Key& b) const
{
    for (int w = 0; w < kKeyWords; ++w) {
        if (a.prefix[w] != b.prefix[w])
            return a.prefix[w] < b.prefix[w];
    }
    const int order = compareRanks(arrivalBytes(a.index), arrivalBytes(b.index), kKeyWords * 8);
    return order != 0 ? order < 0 : a.index < b.index;
}

// The first place at or after `at` where the ranks of some of the keys differ, or the end of
// the prefix when they all agree.
int ResultLines::firstDifference(const Key* keys, std::size_t n, int at)
{
    std::array<quint64, kKeyWords> differ{};
    for (std::size_t i = 1; i < n; ++i) {
        for (int w = 0; w < kKeyWords; ++w)
            differ[w] |= keys[i].prefix[w] ^ keys[0].prefix[w];
    }
    for (int w = at / 8; w < kKeyWords; ++w) {
        // The places before `at` agree already.
        const quint64 bits = w == at / 8 ? differ[w] & (~quint64(0) >> (8 * (at % 8))) : differ[w];
        if (bits != 0)
            return 8 * w + std::countl_zero(bits) / 8;
    }
    return kKeyWords * 8;
}

void ResultLines::insertionSort(Key* keys, std::size_t n) const
{
    for (std::size_t i = 1; i < n; ++i) {
        const Key key = keys[i];
        std::size_t j = i;
        for (; j > 0 && less(key, keys[j - 1]); --j)
            keys[j] = keys[j - 1];
        keys[j] = key;
    }
}

// Most significant rank first: each run of keys that agree up to `at` is split by the rank at
// the first place where they differ with a stable counting pass, so equal prefixes keep their
// arrival order; runs whose 32 ranks are all equal go on with the ranks of the lines.
void ResultLines::sortRun(Key* keys, Key* spare, std::size_t n, int at) const
{
    if (n <= kSmallRun) {
        insertionSort(keys, n);
        return;
    }
    at = firstDifference(keys, n, at);
    if (at == kKeyWords * 8) {
        sortTail(keys, spare, n, at);
        return;
    }
    const RunStarts first = splitByRank(keys, spare, n, at);
    for (std::size_t r = 0; r < 256; ++r)
        sortBucket(keys, spare, first, r, at + 1);
}

void ResultLines::sortBucket(Key* keys, Key* spare, const RunStarts& first, std::size_t rank, int at) const
{
    static_assert(std::tuple_size_v<RunStarts> == kBuckets + 1);
    const std::size_t count = first[rank + 1] - first[rank];
    if (count > 1)
        sortRun(keys + first[rank], spare + first[rank], count, at);
}

// A long list is split once here, and the runs are then shared out between this thread and
// one more, each taking the next run as it becomes free. The runs are apart in memory and the
// lines are only read, so the two never touch the same keys.
void ResultLines::sortAll(Key* keys, Key* spare, std::size_t n) const
{
    if (n < kSharedSortLines) {
        sortRun(keys, spare, n, 0);
        return;
    }
    const int at = firstDifference(keys, n, 0);
    if (at == kKeyWords * 8) {
        sortTail(keys, spare, n, at);
        return;
    }
    const RunStarts first = splitByRank(keys, spare, n, at);
    std::atomic<std::size_t> next{0};
    const auto sortRuns = [&] {
        for (std::size_t r; (r = next.fetch_add(1, std::memory_order_relaxed)) < 256;)
            sortBucket(keys, spare, first, r, at + 1);
    };
    // Where no thread can be started, this one sorts every run.
    std::optional<std::thread> other;
    try {
        other.emplace(sortRuns);
    } catch (const std::system_error&) {
    }
    sortRuns();
    if (other)
        other->join();
}

// The same past the keys, on the lines' own bytes: rank 0 where a line has ended (the shorter
// line comes first), the byte's rank + 1 elsewhere. Lines equal to the end keep arrival order.
void ResultLines::sortTail(Key* keys, Key* spare, std::size_t n, int at) const
{
    const std::array<uchar, 256>& rank = rankTable();
    const auto rankOf = [this, &rank, &at](const Key& key) {
        const QByteArrayView line = arrivalBytes(key.index);
        return at < line.size() ? std::size_t(rank[static_cast<uchar>(line[at])]) + 1 : std::size_t(0);
    };
    std::array<quint32, kBuckets + 1> first{};
    for (;; ++at) {
        if (n <= kSmallRun) {
            insertionSort(keys, n);
            return;
        }
        // Deep runs of long equal beginnings, rare, by comparison: the depth stays bounded.
        if (at >= kTailDepth) {
            std::sort(keys, keys + n, [this](const Key& a, const Key& b) { return less(a, b); });
            return;
        }
        first = countRanks(keys, n, rankOf);
        if (first[1] == n)
            return; // all the lines end here: equal, in arrival order already
        if (std::find(first.begin() + 2, first.end(), n) == first.end())
            break;
    }
    scatter(keys, spare, n, rankOf, first);
    for (std::size_t r = 1; r < kBuckets; ++r) {
        const std::size_t count = first[r + 1] - first[r];
        if (count > 1)
            sortTail(keys + first[r], spare + first[r], count, at + 1);
    }
}

void ResultLines::reserve(qsizetype lines)
{
    const auto n = std::size_t(std::max<qsizetype>(0, lines));
    m_starts.reserve(n);
    m_lengths.reserve(n);
    m_keys.reserve(n);
}

void ResultLines::sort()
{
    keyNewLines();
    const std::size_t n = m_keys.size();
    Bulk<Key> spare(n);
    sortAll(m_keys.data(), spare.data(), n);
    spare = Bulk<Key>();
    m_order.resize(n);
    for (std::size_t row = 0; row < n; ++row)
        m_order[row] = m_keys[row].index;
    m_keys = Bulk<Key>();
}
