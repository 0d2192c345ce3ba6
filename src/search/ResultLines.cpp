#include "search/ResultLines.h"

#include "search/RicercaSchede.h"
#include "storage/Cp1252.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <numeric>

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
    std::unique_ptr<char[]> data;
    qsizetype used = 0;
    qsizetype capacity = 0;
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
        auto block = std::make_unique<Block>();
        block->capacity = std::max<qsizetype>(kBlockBytes, length);
        block->data = std::make_unique_for_overwrite<char[]>(std::size_t(block->capacity));
        m_blocks.push_back(std::move(block));
    }
    Block& block = *m_blocks.back();
    m_starts.push_back((quint64(m_blocks.size() - 1) << 32) | quint64(block.used));
    m_lengths.push_back(quint32(length));
    m_order.clear();
    char* room = block.data.get() + block.used;
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
    return QByteArrayView(m_blocks[start >> 32]->data.get() + (start & 0xFFFFFFFFu),
                          m_lengths[std::size_t(index)]);
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
        std::array<uchar, kKeyWords * 8> ranks{};
        const qsizetype count = std::min<qsizetype>(text.size(), qsizetype(ranks.size()));
        for (qsizetype k = 0; k < count; ++k)
            ranks[k] = rank[static_cast<uchar>(text[k])];
        Key& key = m_keys.emplace_back();
        for (int w = 0; w < kKeyWords; ++w)
            key.prefix[w] = qFromBigEndian<quint64>(ranks.data() + 8 * w);
        key.index = quint32(i);
    }
}

void ResultLines::sort()
{
    keyNewLines();
    const std::size_t n = m_keys.size();
    // A stable counting pass on the first two ranks puts each key into its group; then each
    // group is sorted on its own: far fewer comparisons than one sort of the whole list.
    const auto group = [](const Key& k) { return std::size_t(k.prefix[0] >> 48); };
    std::vector<quint32> first(0x10000 + 1, 0);
    for (const Key& k : m_keys)
        ++first[group(k) + 1];
    std::partial_sum(first.begin(), first.end(), first.begin());
    std::vector<quint32> next(first.begin(), first.end() - 1);
    std::vector<Key> keys(n);
    for (const Key& k : m_keys)
        keys[next[group(k)]++] = k;
    m_keys = std::vector<Key>();
    const auto less = [this](const Key& a, const Key& b) {
        for (int w = 0; w < kKeyWords; ++w) {
            if (a.prefix[w] != b.prefix[w])
                return a.prefix[w] < b.prefix[w];
        }
        const int order = compareRanks(arrivalBytes(a.index), arrivalBytes(b.index), kKeyWords * 8);
        return order != 0 ? order < 0 : a.index < b.index;
    };
    for (std::size_t g = 0; g < 0x10000; ++g) {
        if (first[g + 1] - first[g] > 1)
            std::sort(keys.begin() + first[g], keys.begin() + first[g + 1], less);
    }
    m_order.resize(n);
    for (std::size_t row = 0; row < n; ++row)
        m_order[row] = keys[row].index;
}
