#include "access/Crypt.h"

#include "access/PasswordError.h"

#include <QList>

#include <cstdint>

namespace {

constexpr std::uint16_t kStartKey = 9713;
constexpr std::uint16_t kMultiplier = 41593;
constexpr std::uint16_t kIncrement = 29573;

// The key moves on with the scrambled byte, modulo 65536.
std::uint16_t nextKey(std::uint16_t key, std::uint8_t scrambled)
{
    const std::uint32_t sum = std::uint32_t{scrambled} + key;
    return static_cast<std::uint16_t>(sum * kMultiplier + kIncrement);
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QString CodificaPassword(const QString& password)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString result;
    result.reserve(password.size() * 2);
    std::uint16_t key = kStartKey;
    for (const QChar c : password) {
        const auto plain = static_cast<std::uint8_t>(c.unicode() & 0xFF);
        const auto scrambled = static_cast<std::uint8_t>(plain ^ (key >> 8));
        result.append(QLatin1Char(kDigits[scrambled >> 4]));
        result.append(QLatin1Char(kDigits[scrambled & 0x0F]));
        key = nextKey(key, scrambled);
    }
    return result;
}

QString DecodificaPassword(const QString& digits)
{
    // Every pair is converted first, so a bad pair anywhere produces nothing.
    const qsizetype count = digits.size() / 2;
    QList<std::uint8_t> bytes;
    bytes.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const int high = hexValue(digits.at(2 * i));
        const int low = hexValue(digits.at(2 * i + 1));
        if (high < 0 || low < 0)
            throw PasswordError("the scrambled password holds a pair that is not hexadecimal");
        bytes.append(static_cast<std::uint8_t>(high * 16 + low));
    }

    QString result;
    result.reserve(count);
    std::uint16_t key = kStartKey;
    for (const std::uint8_t scrambled : bytes) {
        result.append(QChar(static_cast<char16_t>(scrambled ^ (key >> 8))));
        key = nextKey(key, scrambled);
    }
    return result;
}
