#include "platform/LargePages.h"

#include <QTest>

#include <cstring>
#include <vector>

class TestLargePages : public QObject {
    Q_OBJECT
private slots:
    void growingVectorKeepsEveryByte();
    void releasedPieceServesTheNextSearch();
    void smallAndLargePiecesAreWritable_data();
    void smallAndLargePiecesAreWritable();
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

QTEST_GUILESS_MAIN(TestLargePages)
#include "tst_large_pages.moc"
