#include "search/ExpiryList.h"

#include "search/FreeTextDate.h"
#include "search/GroupMembers.h"
#include "search/RicercaSchede.h"
#include "storage/TArchivioSchede.h"
#include "storage/TextRules.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

using C = TSchedaAnagrafica;

// The stored characters of a short date field, trimmed, read byte for byte. A byte beyond
// ASCII never belongs to a date, so its reading does not matter here.
QStringView dateText(const TSchedaAnagrafica& scheda, C::Campo campo, std::array<char16_t, 16>& buffer)
{
    const C::Layout& field = C::layoutOf(campo);
    const char* bytes = scheda.buffer().constData() + field.offset;
    const int length = std::min<int>(static_cast<unsigned char>(bytes[0]), field.capacity);
    int begin = 1;
    int end = 1 + length;
    while (begin < end && static_cast<unsigned char>(bytes[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(bytes[end - 1]) <= 32)
        --end;
    int n = 0;
    for (int i = begin; i < end && n < int(buffer.size()); ++i)
        buffer[n++] = static_cast<unsigned char>(bytes[i]);
    return QStringView(buffer.data(), n);
}

QString padded(const QString& text, int width)
{
    return (text + QString(width, QLatin1Char(' '))).left(width);
}

QString trimmed(const TSchedaAnagrafica& scheda, C::Campo campo)
{
    return TextRules::trim(scheda.testo(campo));
}

QString days(int count)
{
    return QStringLiteral("%1 %2").arg(count, 5).arg(qAbs(count) == 1 ? QStringLiteral("giorno")
                                                                      : QStringLiteral("giorni"));
}

template <typename T> bool byNameThenPosition(const T& a, const T& b)
{
    if (a.name != b.name)
        return RicercaSchede::precede(a.name, b.name);
    return a.position < b.position;
}

} // namespace

ExpiryList::ExpiryList(const Options& options, const GroupMembers* group)
    : m_options(options)
    , m_group(group)
    , m_lastDocumentDay(options.reference.addDays(options.documentDays))
{
}

bool ExpiryList::scan(const QString& archivePath, const Progress& progress)
{
    // Thrown from inside the scan to leave it; the archive closes on the way out.
    struct Stopped {};
    const int total = static_cast<int>(QFileInfo(archivePath).size() / C::kSize);
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

void ExpiryList::add(const TSchedaAnagrafica& scheda, int position)
{
    if (m_group && !m_group->contains(scheda))
        return;
    std::array<char16_t, 16> buffer{};

    const QStringView expiryText = dateText(scheda, C::FineTes, buffer);
    if (!expiryText.isEmpty()) {
        const std::optional<QDate> expiry =
            FreeTextDate::read(expiryText, FreeTextDate::Kind::Expiry, m_options.today);
        if (!expiry) {
            m_unreadable.push_back(
                {C::FineTes, trimmed(scheda, C::FineTes), trimmed(scheda, C::Candidato), position});
        } else if (*expiry <= m_lastDocumentDay) {
            m_documents.push_back({*expiry, static_cast<int>(m_options.reference.daysTo(*expiry)),
                                   trimmed(scheda, C::Candidato), trimmed(scheda, C::Documento), position});
        }
    }

    const QStringView birthText = dateText(scheda, C::DataNasc, buffer);
    if (!birthText.isEmpty()) {
        const std::optional<QDate> birth =
            FreeTextDate::read(birthText, FreeTextDate::Kind::Birth, m_options.today);
        if (!birth) {
            m_unreadable.push_back(
                {C::DataNasc, trimmed(scheda, C::DataNasc), trimmed(scheda, C::Candidato), position});
        } else if (m_options.birthdayDays >= 0) {
            Birthday birthday;
            if (nextBirthday(*birth, m_options.reference, m_options.birthdayDays, birthday.date,
                             birthday.age)) {
                birthday.daysLeft = static_cast<int>(m_options.reference.daysTo(birthday.date));
                birthday.name = trimmed(scheda, C::Candidato);
                birthday.position = position;
                m_birthdays.push_back(std::move(birthday));
            }
        }
    }
}

void ExpiryList::finish()
{
    std::sort(m_documents.begin(), m_documents.end(), [](const Document& a, const Document& b) {
        if (a.expiry != b.expiry)
            return a.expiry < b.expiry;
        return byNameThenPosition(a, b);
    });
    std::sort(m_birthdays.begin(), m_birthdays.end(), [](const Birthday& a, const Birthday& b) {
        if (a.date != b.date)
            return a.date < b.date;
        return byNameThenPosition(a, b);
    });
    std::sort(m_unreadable.begin(), m_unreadable.end(), [](const Unreadable& a, const Unreadable& b) {
        if (a.name != b.name || a.position != b.position)
            return byNameThenPosition(a, b);
        return a.field < b.field;
    });
}

int ExpiryList::expiringCount() const
{
    return static_cast<int>(std::count_if(m_documents.begin(), m_documents.end(),
                                          [](const Document& d) { return d.daysLeft >= 0; }));
}

bool ExpiryList::nextBirthday(const QDate& birth, const QDate& from, int days, QDate& date, int& age)
{
    const auto inYear = [&birth](int year) {
        // 29 February falls on 28 February in the years without it.
        if (birth.month() == 2 && birth.day() == 29 && !QDate::isLeapYear(year))
            return QDate(year, 2, 28);
        return QDate(year, birth.month(), birth.day());
    };
    QDate next = inYear(from.year());
    if (next < from)
        next = inYear(from.year() + 1);
    if (from.daysTo(next) > days)
        return false;
    const int turned = next.year() - birth.year();
    if (turned < 1)
        return false;
    date = next;
    age = turned;
    return true;
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

QString ExpiryList::shortDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

ExpiryList::Lines ExpiryList::lines() const
{
    Lines result;
    const auto line = [&result](const QString& text, int position) {
        result.text.append(text);
        result.positions.push_back(position);
    };
    const auto heading = [&](const QString& text, std::size_t count) {
        if (!result.text.isEmpty())
            line(QString(), 0);
        line(QStringLiteral("%1: %2").arg(text).arg(count), 0);
        if (count == 0)
            line(QStringLiteral("  Nessuna voce."), 0);
    };
    const QString reference = shortDate(m_options.reference);

    heading(QStringLiteral("DOCUMENTI SCADUTI ALLA DATA DEL %1 O IN SCADENZA ENTRO IL %2")
                .arg(reference, shortDate(m_lastDocumentDay)),
            m_documents.size());
    for (const Document& d : m_documents) {
        const QString state = d.daysLeft < 0 ? QStringLiteral("SCADUTO") : QString();
        line(
            QStringLiteral("  %1  %2  %3  %4  %5")
                .arg(shortDate(d.expiry), days(d.daysLeft), padded(state, 7), padded(d.name, 30), d.document),
            d.position);
    }

    if (m_options.birthdayDays >= 0) {
        heading(QStringLiteral("COMPLEANNI DAL %1 AL %2")
                    .arg(reference, shortDate(m_options.reference.addDays(m_options.birthdayDays))),
                m_birthdays.size());
        for (const Birthday& b : m_birthdays) {
            const QString turns =
                b.age == 1 ? QStringLiteral("compie 1 anno") : QStringLiteral("compie %1 anni").arg(b.age);
            line(QStringLiteral("  %1  %2  %3  %4")
                     .arg(shortDate(b.date), days(b.daysLeft), padded(turns, 16), b.name),
                 b.position);
        }
    }

    heading(QStringLiteral("DATE DA VERIFICARE"), m_unreadable.size());
    for (const Unreadable& u : m_unreadable) {
        const QString label =
            u.field == C::FineTes ? QStringLiteral("Data scadenza:") : QStringLiteral("Data nascita:");
        line(QStringLiteral("  %1  %2  %3")
                 .arg(padded(label, 14), padded(QLatin1Char('"') + u.typed + QLatin1Char('"'), 14), u.name),
             u.position);
    }
    return result;
}
