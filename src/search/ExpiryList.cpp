#include "search/ExpiryList.h"

#include "search/FreeTextDate.h"
#include "search/GroupMembers.h"
#include "search/RicercaSchede.h"
#include "storage/Cp1252.h"
#include "storage/TArchivioSchede.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

using C = TSchedaAnagrafica;

// A short date field as characters, byte for byte. A byte beyond ASCII never belongs to a date,
// so its reading does not matter here.
QStringView dateText(QByteArrayView bytes, std::array<char16_t, 16>& buffer)
{
    const qsizetype n = std::min<qsizetype>(bytes.size(), qsizetype(buffer.size()));
    for (qsizetype i = 0; i < n; ++i)
        buffer[i] = static_cast<unsigned char>(bytes[i]);
    return QStringView(buffer.data(), n);
}

unsigned char foldLetter(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
}

// List order on the stored bytes: a..z and A..Z alike, every other byte by its code, a prefix first.
bool bytesPrecede(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char x = foldLetter(a[i]);
        const unsigned char y = foldLetter(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

QString padded(const QString& text, int width)
{
    return (text + QString(width, QLatin1Char(' '))).left(width);
}

QString days(int count)
{
    return QStringLiteral("%1 %2").arg(count, 5).arg(qAbs(count) == 1 ? QStringLiteral("giorno")
                                                                      : QStringLiteral("giorni"));
}

constexpr int kHeading = -2;
constexpr int kPlain = -1; // a blank line, or the line of an empty section

} // namespace

ExpiryList::ExpiryList(const Options& options, const GroupMembers* group)
    : m_options(options)
    , m_group(group)
    , m_lastDocumentDay(options.reference.addDays(options.documentDays))
    , m_referenceYear(options.reference.year())
    , m_referenceDay(options.reference.toJulianDay())
{
}

bool ExpiryList::scan(const QString& archivePath, const Progress& progress)
{
    // Thrown from inside the scan to leave it; the archive closes on the way out.
    struct Stopped {};
    const int total = static_cast<int>(QFileInfo(archivePath).size() / C::kSize);
    // Room for a list of most of the archive, so that nothing is copied as it grows.
    m_text.reserve(m_text.size() + qsizetype(total) * 32);
    m_documents.reserve(m_documents.size() + total / 2);
    m_birthdays.reserve(m_birthdays.size() + total / 8);
    m_unreadable.reserve(m_unreadable.size() + total / 8);
    try {
        RicercaSchede::scandisci(archivePath, [&](const TSchedaAnagrafica& scheda, int position) {
            add(scheda, position);
            if (progress && position % 512 == 0 && !progress(position, total))
                throw Stopped{};
        });
    } catch (const Stopped&) {
        finish();
        return false;
    }
    finish();
    return true;
}

ExpiryList::Piece ExpiryList::keep(const TSchedaAnagrafica& scheda, C::Campo campo)
{
    const QByteArrayView bytes = scheda.trimmedBytes(campo);
    const Piece piece{static_cast<qint32>(m_text.size()), static_cast<qint32>(bytes.size())};
    m_text.append(bytes);
    return piece;
}

void ExpiryList::keepName(const TSchedaAnagrafica& scheda, Entry& entry)
{
    entry.name = keep(scheda, C::Candidato);
    const QByteArrayView name = QByteArrayView(m_text).sliced(entry.name.at, entry.name.size);
    for (int i = 0; i < 16; ++i) {
        const quint64 byte = i < name.size() ? foldLetter(name[i]) : 0;
        entry.nameKey[i / 8] |= byte << (8 * (7 - i % 8));
    }
}

QString ExpiryList::text(const Piece& piece) const
{
    return Cp1252::decode(QByteArrayView(m_text).sliced(piece.at, piece.size));
}

std::optional<QDate> ExpiryList::readDate(const TSchedaAnagrafica& scheda, C::Campo campo, int position)
{
    const QByteArrayView bytes = scheda.trimmedBytes(campo);
    if (bytes.isEmpty())
        return std::nullopt;
    std::array<char16_t, 16> buffer{};
    const FreeTextDate::Kind kind =
        campo == C::DataNasc ? FreeTextDate::Kind::Birth : FreeTextDate::Kind::Expiry;
    const std::optional<QDate> date = FreeTextDate::read(dateText(bytes, buffer), kind, m_options.today);
    if (!date) {
        // Listed apart, as typed.
        Entry entry;
        entry.position = position;
        entry.field = campo;
        keepName(scheda, entry);
        entry.other = keep(scheda, campo);
        m_unreadable.push_back(entry);
    }
    return date;
}

void ExpiryList::add(const TSchedaAnagrafica& scheda, int position)
{
    if (m_group && !m_group->contains(scheda))
        return;
    const std::optional<QDate> expiry = readDate(scheda, C::FineTes, position);
    if (expiry && *expiry <= m_lastDocumentDay) {
        Entry entry;
        entry.position = position;
        entry.day = expiry->toJulianDay();
        entry.daysLeft = static_cast<qint32>(m_options.reference.daysTo(*expiry));
        keepName(scheda, entry);
        entry.other = keep(scheda, C::Documento);
        m_documents.push_back(entry);
    }

    const std::optional<QDate> birth = readDate(scheda, C::DataNasc, position);
    if (!birth || m_options.birthdayDays < 0)
        return;
    int year = 0;
    int month = 0;
    int day = 0;
    birth->getDate(&year, &month, &day);
    qint64 julian = 0;
    int age = 0;
    if (nextBirthday(year, month, day, julian, age)) {
        Entry entry;
        entry.position = position;
        entry.field = C::DataNasc;
        entry.day = julian;
        entry.daysLeft = static_cast<qint32>(julian - m_referenceDay);
        entry.age = age;
        keepName(scheda, entry);
        m_birthdays.push_back(entry);
    }
}

bool ExpiryList::precedes(const Entry& a, const Entry& b) const
{
    if (a.day != b.day)
        return a.day < b.day;
    if (a.nameKey[0] != b.nameKey[0])
        return a.nameKey[0] < b.nameKey[0];
    if (a.nameKey[1] != b.nameKey[1])
        return a.nameKey[1] < b.nameKey[1];
    const QByteArrayView text(m_text);
    const QByteArrayView nameA = text.sliced(a.name.at, a.name.size);
    const QByteArrayView nameB = text.sliced(b.name.at, b.name.size);
    if (nameA != nameB)
        return bytesPrecede(nameA, nameB);
    if (a.position != b.position)
        return a.position < b.position;
    return a.field < b.field;
}

void ExpiryList::finish()
{
    m_group = nullptr; // the group may go now: nothing more is added
    const auto order = [this](const Entry& a, const Entry& b) { return precedes(a, b); };
    std::sort(m_documents.begin(), m_documents.end(), order);
    std::sort(m_birthdays.begin(), m_birthdays.end(), order);
    std::sort(m_unreadable.begin(), m_unreadable.end(), order);
}

std::vector<ExpiryList::Document> ExpiryList::documents() const
{
    std::vector<Document> result;
    for (const Entry& e : m_documents)
        result.push_back({QDate::fromJulianDay(e.day), e.daysLeft, text(e.name), text(e.other), e.position});
    return result;
}

std::vector<ExpiryList::Birthday> ExpiryList::birthdays() const
{
    std::vector<Birthday> result;
    for (const Entry& e : m_birthdays)
        result.push_back({QDate::fromJulianDay(e.day), e.daysLeft, e.age, text(e.name), e.position});
    return result;
}

std::vector<ExpiryList::Unreadable> ExpiryList::unreadable() const
{
    std::vector<Unreadable> result;
    for (const Entry& e : m_unreadable)
        result.push_back({e.field, text(e.other), text(e.name), e.position});
    return result;
}

int ExpiryList::expiringCount() const
{
    return static_cast<int>(std::count_if(m_documents.begin(), m_documents.end(),
                                          [](const Entry& e) { return e.daysLeft >= 0; }));
}

const std::vector<ExpiryList::Entry>& ExpiryList::entries(Section section) const
{
    switch (section) {
    case Section::Documents:
        return m_documents;
    case Section::Birthdays:
        return m_birthdays;
    case Section::Unreadable:
        break;
    }
    return m_unreadable;
}

int ExpiryList::sectionRows(Section section) const
{
    if (section == Section::Birthdays && m_options.birthdayDays < 0)
        return 0;
    const int blank = section == Section::Documents ? 0 : 1;
    return blank + 1 + std::max<int>(1, static_cast<int>(entries(section).size()));
}

int ExpiryList::lineCount() const
{
    return sectionRows(Section::Documents) + sectionRows(Section::Birthdays) +
           sectionRows(Section::Unreadable);
}

void ExpiryList::locate(int row, Section& section, int& entry) const
{
    for (const Section s : {Section::Documents, Section::Birthdays, Section::Unreadable}) {
        const int rows = sectionRows(s);
        if (row >= rows) {
            row -= rows;
            continue;
        }
        section = s;
        if (s != Section::Documents)
            --row; // the blank line before the heading
        if (row < 0)
            entry = kPlain;
        else if (row == 0)
            entry = kHeading;
        else
            entry = row - 1 < int(entries(s).size()) ? row - 1 : kPlain;
        return;
    }
    section = Section::Unreadable;
    entry = kPlain;
}

QString ExpiryList::heading(Section section) const
{
    const QString reference = shortDate(m_options.reference);
    QString title;
    switch (section) {
    case Section::Documents:
        title = QStringLiteral("DOCUMENTI SCADUTI ALLA DATA DEL %1 O IN SCADENZA ENTRO IL %2")
                    .arg(reference, shortDate(m_lastDocumentDay));
        break;
    case Section::Birthdays:
        title = QStringLiteral("COMPLEANNI DAL %1 AL %2")
                    .arg(reference, shortDate(m_options.reference.addDays(m_options.birthdayDays)));
        break;
    case Section::Unreadable:
        title = QStringLiteral("DATE DA VERIFICARE");
        break;
    }
    return QStringLiteral("%1: %2").arg(title).arg(entries(section).size());
}

QString ExpiryList::entryLine(Section section, const Entry& e) const
{
    const QString date = shortDate(QDate::fromJulianDay(e.day));
    switch (section) {
    case Section::Documents: {
        const QString state = e.daysLeft < 0 ? QStringLiteral("SCADUTO") : QString();
        return QStringLiteral("  %1  %2  %3  %4  %5")
            .arg(date, days(e.daysLeft), padded(state, 7), padded(text(e.name), 30), text(e.other));
    }
    case Section::Birthdays: {
        const QString turns =
            e.age == 1 ? QStringLiteral("compie 1 anno") : QStringLiteral("compie %1 anni").arg(e.age);
        return QStringLiteral("  %1  %2  %3  %4")
            .arg(date, days(e.daysLeft), padded(turns, 16), text(e.name));
    }
    case Section::Unreadable:
        break;
    }
    const QString label =
        e.field == C::FineTes ? QStringLiteral("Data scadenza:") : QStringLiteral("Data nascita:");
    return QStringLiteral("  %1  %2  %3")
        .arg(padded(label, 14), padded(QLatin1Char('"') + text(e.other) + QLatin1Char('"'), 14),
             text(e.name));
}

QString ExpiryList::line(int row) const
{
    Section section = Section::Documents;
    int entry = kPlain;
    locate(row, section, entry);
    if (entry == kHeading)
        return heading(section);
    if (entry >= 0)
        return entryLine(section, entries(section)[entry]);
    // The line of an empty section sits right after its heading; a blank line anywhere else.
    Section before = section;
    int headingEntry = kPlain;
    locate(row - 1, before, headingEntry);
    return headingEntry == kHeading && before == section ? QStringLiteral("  Nessuna voce.") : QString();
}

int ExpiryList::position(int row) const
{
    Section section = Section::Documents;
    int entry = kPlain;
    locate(row, section, entry);
    return entry >= 0 ? entries(section)[entry].position : 0;
}

ExpiryList::Lines ExpiryList::lines() const
{
    Lines result;
    const int count = lineCount();
    result.text.reserve(count);
    result.positions.reserve(count);
    for (int row = 0; row < count; ++row) {
        result.text.append(line(row));
        result.positions.push_back(position(row));
    }
    return result;
}

int ExpiryList::expiringSoon(const QString& archivePath, const QDate& today, int days)
{
    Options options;
    options.today = today;
    options.reference = today;
    options.documentDays = days;
    options.birthdayDays = -1;
    ExpiryList list(options);
    list.scan(archivePath);
    return list.expiringCount();
}

TSchedaAnagrafica ExpiryList::card(const QString& archivePath, int position)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(archivePath, C::kSize);
    archivio.Posiziona(position - 1);
    TSchedaAnagrafica scheda;
    archivio.LeggiScheda(scheda.buffer());
    archivio.ChiudiArchivio();
    return scheda;
}

bool ExpiryList::nextBirthday(int birthYear, int birthMonth, int birthDay, qint64& julian, int& age) const
{
    if (m_options.birthdayDays < 0)
        return false;
    // 29 February falls on 28 February in the years without it.
    const auto inYear = [&](int year) {
        const int day = (birthMonth == 2 && birthDay == 29 && !QDate::isLeapYear(year)) ? 28 : birthDay;
        return QDate(year, birthMonth, day).toJulianDay();
    };
    int year = m_referenceYear;
    qint64 next = inYear(year);
    if (next < m_referenceDay)
        next = inYear(++year);
    if (next - m_referenceDay > m_options.birthdayDays || year - birthYear < 1)
        return false;
    julian = next;
    age = year - birthYear;
    return true;
}

QString ExpiryList::shortDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}
