#include "storage/Cp1252.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <memory>

namespace {

// Bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined,
// which are read as the control character of the same code.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

char Cp1252::encodeChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == u && u != 0)
            return static_cast<char>(0x80 + i);
    }
    // The undefined bytes round-trip as their control characters.
    if (u >= 0x80 && u < 0xA0 && kHighTable[u - 0x80] == 0)
        return static_cast<char>(u);
    return '?';
}

namespace {

bool inCodePage(QChar c)
{
    return c == u'?' || Cp1252::encodeChar(c) != '?';
}

// One byte per character; a surrogate pair is one character.
void appendEncoded(QByteArray& bytes, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        bytes.append(Cp1252::encodeChar(text[i]));
    }
}

// ICU's Latin-ASCII transliteration, made once per thread: making it costs milliseconds.
QString latinFold(QStringView run)
{
    thread_local const std::unique_ptr<icu::Transliterator> fold = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> made(
            icu::Transliterator::createInstance("Latin-ASCII", UTRANS_FORWARD, status));
        if (U_FAILURE(status))
            made.reset();
        return made;
    }();
    if (!fold)
        return run.toString();
    icu::UnicodeString text(reinterpret_cast<const UChar*>(run.utf16()), static_cast<int32_t>(run.size()));
    fold->transliterate(text);
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

} // namespace

QByteArray Cp1252::encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    if (std::all_of(text.begin(), text.end(), inCodePage)) {
        appendEncoded(bytes, text);
        return bytes;
    }
    // A letter the code page lacks is stored as its closest Latin form ("Ł" as "L"); letters the
    // code page has stay as they are. Decomposed accents are composed first ("e" + acute is "é").
    const QString composed = text.toString().normalized(QString::NormalizationForm_C);
    const QStringView all(composed);
    qsizetype i = 0;
    while (i < all.size()) {
        qsizetype end = i;
        const bool plain = inCodePage(all[i]);
        while (end < all.size() && inCodePage(all[end]) == plain)
            ++end;
        if (plain)
            appendEncoded(bytes, all.sliced(i, end - i));
        else
            appendEncoded(bytes, latinFold(all.sliced(i, end - i)));
        i = end;
    }
    return bytes;
}

QString Cp1252::decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0 && kHighTable[u - 0x80] != 0)
            *out++ = QChar(kHighTable[u - 0x80]);
        else
            *out++ = QChar(u);
    }
    return text;
}
