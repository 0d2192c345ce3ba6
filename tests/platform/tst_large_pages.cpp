#include "platform/LargePages.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <vector>

class TestLargePages : public QObject {
    Q_OBJECT
private slots:
    void growingVectorKeepsEveryByte();
    void releasedPieceServesTheNextSearch();
    void smallAndLargePiecesAreWritable_data();
    void smallAndLargePiecesAreWritable();
    void advisedListBufferKeepsItsBytesAndItsNeighbours();
};

void TestLargePages::growingVectorKeepsEveryByte()
{
    // From ordinary heap memory across the threshold into large pages, as a table of cells grows.
    std::vector<quint32, LargePages::Allocator<quint32>> values;
    for (quint32 i = 0; i < 3000000; ++i)
        values.push_back(i * 7);
    QCOMPARE(values.size(), std::size_t(3000000));
    for (quint32 i = 0; i < 3000000; i += 99991)
        QCOMPARE(values[i], i * 7);
    QCOMPARE(values.back(), quint32(2999999 * 7));
}

void TestLargePages::releasedPieceServesTheNextSearch()
{
    constexpr std::size_t kBytes = std::size_t(6) << 20;
    void* first = LargePages::allocate(kBytes);
    std::memset(first, 0x5A, kBytes);
    LargePages::release(first, kBytes);
    void* second = LargePages::allocate(kBytes);
    QCOMPARE(second, first);
    // A piece of another size is a new one.
    void* other = LargePages::allocate(kBytes * 2);
    QVERIFY(other != second);
    LargePages::release(other, kBytes * 2);
    LargePages::release(second, kBytes);
}

void TestLargePages::smallAndLargePiecesAreWritable_data()
{
    QTest::addColumn<qulonglong>("bytes");
    QTest::newRow("small") << qulonglong(100);
    QTest::newRow("just under the threshold") << qulonglong((1 << 20) - 1);
    QTest::newRow("not a whole large page") << qulonglong((3 << 20) + 5);
    QTest::newRow("larger than what is kept") << qulonglong(std::size_t(40) << 20);
}

void TestLargePages::smallAndLargePiecesAreWritable()
{
    QFETCH(qulonglong, bytes);
    auto* memory = static_cast<unsigned char*>(LargePages::allocate(bytes));
    QVERIFY(memory);
    memory[0] = 1;
    memory[bytes - 1] = 2;
    QCOMPARE(int(memory[0] + memory[bytes - 1]), 3);
    LargePages::release(memory, bytes);
}

void TestLargePages::advisedListBufferKeepsItsBytesAndItsNeighbours()
{
    // A buffer from the ordinary heap, not aligned: only the whole large pages inside it are
    // advised, and the bytes before and after it are left alone.
    std::vector<unsigned char> block((std::size_t(9) << 20) + 4096 + 3, 0x11);
    unsigned char* inside = block.data() + 4096 + 1;
    const std::size_t bytes = std::size_t(9) << 20;
    std::memset(inside, 0x5A, bytes);
    LargePages::advise(inside, bytes);
    LargePages::advise(inside, 100); // too small to hold a large page: nothing
    LargePages::advise(nullptr, 0);
    QCOMPARE(int(block[4096]), 0x11);
    QCOMPARE(int(block[4096 + 1 + bytes]), 0x11);
    QCOMPARE(std::count(inside, inside + bytes, 0x5A), std::ptrdiff_t(bytes));
#ifdef Q_OS_LINUX
    if (!QFile::exists(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled")))
        return; // a kernel without large pages takes no advice
    // The system records the advice on the mapping that holds the first whole large page.
    const auto firstPage = (reinterpret_cast<quintptr>(inside) + (2 << 20) - 1) / (2 << 20) * (2 << 20);
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    QVERIFY(smaps.open(QIODevice::ReadOnly | QIODevice::Text));
    bool inMapping = false;
    bool advised = false;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        const int dash = line.indexOf('-');
        const int space = line.indexOf(' ');
        bool isFrom = false;
        bool isTo = false;
        const quintptr from = dash > 0 ? line.left(dash).toULongLong(&isFrom, 16) : 0;
        const quintptr to = space > dash ? line.mid(dash + 1, space - dash - 1).toULongLong(&isTo, 16) : 0;
        if (isFrom && isTo) // a mapping's first line: its addresses
            inMapping = from <= firstPage && firstPage < to;
        else if (inMapping && line.startsWith("VmFlags:")) {
            advised = line.contains(" hg");
        }
    }
    QVERIFY(advised);
#endif
}

QTEST_GUILESS_MAIN(TestLargePages)
#include "tst_large_pages.moc"
