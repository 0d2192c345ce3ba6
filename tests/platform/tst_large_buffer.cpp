#include "platform/LargeBuffer.h"

#include <QTest>

#include <numeric>
#include <vector>

class TestLargeBuffer : public QObject {
    Q_OBJECT
private slots:
    void growingPastTheRoomKeepsEveryByte();
    void roomForAGigabyteCostsNothingUntilWritten();
    void moveHandsTheBytesOver();
    void arrayOfValues();
};

void TestLargeBuffer::growingPastTheRoomKeepsEveryByte()
{
    LargeBuffer buffer;
    buffer.reserve(10);
    std::vector<char> expected;
    for (int i = 0; i < 300000; ++i) {
        const char piece[3] = {char(i), char(i >> 8), char(i >> 16)};
        buffer.append(piece, sizeof piece);
        expected.insert(expected.end(), piece, piece + sizeof piece);
    }
    buffer.append(nullptr, 0);
    QCOMPARE(buffer.size(), expected.size());
    QVERIFY(std::equal(expected.begin(), expected.end(), buffer.data()));
}

void TestLargeBuffer::roomForAGigabyteCostsNothingUntilWritten()
{
    // A million cards' worth of room is asked for, a little of it used.
    LargeBuffer buffer;
    buffer.reserveAtMost(std::size_t(1) << 30);
    const char text[] = "Rossi Mario";
    buffer.append(text, sizeof text);
    QCOMPARE(buffer.size(), sizeof text);
    QCOMPARE(QByteArrayView(buffer.data()), QByteArrayView("Rossi Mario"));
}

void TestLargeBuffer::moveHandsTheBytesOver()
{
    LargeBuffer first;
    first.append("abc", 3);
    LargeBuffer second(std::move(first));
    QCOMPARE(second.size(), std::size_t(3));
    QCOMPARE(first.size(), std::size_t(0));
    QVERIFY(first.data() == nullptr);
    LargeBuffer third;
    third.append("xy", 2);
    third = std::move(second);
    QCOMPARE(QByteArrayView(third.data(), qsizetype(third.size())), QByteArrayView("abc"));
    // A moved-from buffer is empty and usable.
    second.append("z", 1);
    QCOMPARE(second.size(), std::size_t(1));
}

void TestLargeBuffer::arrayOfValues()
{
    LargeArray<quint32> values;
    QVERIFY(values.empty());
    values.reserveAtMost(1000);
    for (quint32 i = 0; i < 5000; ++i)
        values.push_back(i * 7);
    QCOMPARE(values.size(), std::size_t(5000));
    QCOMPARE(values[4999], quint32(4999 * 7));
    values[3] = 1;
    QCOMPARE(values[3], quint32(1));
    QCOMPARE(std::accumulate(values.begin(), values.end(), quint64(0)),
             quint64(7) * 4999 * 5000 / 2 - 21 + 1);
}

QTEST_GUILESS_MAIN(TestLargeBuffer)
#include "tst_large_buffer.moc"
