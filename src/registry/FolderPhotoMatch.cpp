#include "registry/FolderPhotoMatch.h"

#include "import/ImportMapping.h"
#include "storage/Cp1252.h"
#include "storage/FotoScheda.h"
#include "storage/Placeholder.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "storage/TextRules.h"

#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QRegularExpression>
#include <QVarLengthArray>

#include <algorithm>
#include <cstdlib>

namespace {

using C = TSchedaAnagrafica;

// The words of a text split at every character that is not a letter or a digit of ASCII.
QStringList asciiWords(const QString& text)
{
    QStringList words;
    QString word;
    for (const QChar c : text) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) {
            word.append(c);
        } else if (!word.isEmpty()) {
            words.append(word);
            word.clear();
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

bool hasCodiceFiscaleShape(const QString& upper)
{
    // Letters and digits where a codice fiscale has them; the digits may be letters of omocodia.
    static const QRegularExpression shape(
        QStringLiteral("^[A-Z]{6}[0-9LMNPQRSTUV]{2}[A-Z][0-9LMNPQRSTUV]{2}[A-Z][0-9LMNPQRSTUV]{3}[A-Z]$"));
    return upper.size() == 16 && shape.match(upper).hasMatch();
}

// True when the picture is, within the losses of JPEG, the placeholder a card saved without a
// photo gets.
bool isPlaceholder(const QImage& picture)
{
    const QImage placeholder = Placeholder::image();
    if (picture.size() != placeholder.size())
        return false;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    qint64 difference = 0;
    qint64 samples = 0;
    for (int y = 0; y < image.height(); y += 3) {
        const auto* a = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(placeholder.constScanLine(y));
        for (int x = 0; x < image.width(); x += 3) {
            difference += std::abs(qRed(a[x]) - qRed(b[x])) + std::abs(qGreen(a[x]) - qGreen(b[x])) +
                          std::abs(qBlue(a[x]) - qBlue(b[x]));
            samples += 3;
        }
    }
    constexpr int kMeanDifference = 6;
    return samples > 0 && difference < samples * kMeanDifference;
}

} // namespace

QString FolderPhotoKeys::fileNameKey(const QString& baseName)
{
    return ImportMapping::fold(Cp1252::decode(Cp1252::encode(baseName)));
}

QStringList FolderPhotoKeys::cardNameKeys(const QString& cardName)
{
    QStringList words;
    static const QRegularExpression blanks(QStringLiteral("[\\x00-\\x20]+"));
    for (const QString& word : cardName.split(blanks, Qt::SkipEmptyParts)) {
        const QString folded = ImportMapping::fold(word);
        if (!folded.isEmpty())
            words.append(folded);
    }
    QStringList keys;
    for (qsizetype first = 0; first < words.size(); ++first) {
        QString key;
        for (qsizetype i = 0; i < words.size(); ++i)
            key += words.at((first + i) % words.size());
        if (!keys.contains(key))
            keys.append(key);
    }
    return keys;
}

QStringList FolderPhotoKeys::codiciFiscali(const QString& baseName)
{
    QStringList found;
    for (const QString& word : asciiWords(baseName)) {
        const QString upper = TextRules::upperAZ(word);
        if (hasCodiceFiscaleShape(upper) && !found.contains(upper))
            found.append(upper);
    }
    return found;
}

RegistryPhotoIndex::RegistryPhotoIndex(const QStringList& baseNames)
{
    for (const QString& baseName : baseNames) {
        const QStringList codici = FolderPhotoKeys::codiciFiscali(baseName);
        for (const QString& codice : codici)
            m_byCodiceFiscale.insert(codice, {});
        if (codici.isEmpty()) {
            const QString key = FolderPhotoKeys::fileNameKey(baseName);
            if (!key.isEmpty())
                m_byName.insert(key, {});
        }
    }
}

void RegistryPhotoIndex::found(QList<int>& cards, QByteArrayView name, int position)
{
    if (!cards.isEmpty() && cards.last() == position)
        return;
    cards.append(position);
    if (!m_names.contains(position))
        m_names.insert(position, Cp1252::decode(name));
}

void RegistryPhotoIndex::add(QByteArrayView record, int position)
{
    m_count = std::max(m_count, position);
    const QByteArrayView name = C::trimmedBytes(record, C::Candidato);
    if (!m_byName.isEmpty())
        addNameKeys(name, position);
    const QByteArrayView codice = C::trimmedBytes(record, C::CodFisc);
    if (m_byCodiceFiscale.isEmpty() || codice.size() != 16)
        return;
    m_key.resize(16);
    for (int i = 0; i < 16; ++i) {
        const char c = codice[i];
        m_key[i] = QLatin1Char(c >= 'a' && c <= 'z' ? char(c - 32) : c);
    }
    const auto cards = m_byCodiceFiscale.find(m_key);
    if (cards != m_byCodiceFiscale.end())
        found(cards.value(), name, position);
}

void RegistryPhotoIndex::addNameKeys(QByteArrayView name, int position)
{
    // Plain ASCII, the common case: folded byte by byte, the blanks marking the words.
    m_folded.clear();
    QVarLengthArray<qsizetype, 8> starts;
    bool inWord = false;
    for (const char byte : name) {
        const auto u = static_cast<unsigned char>(byte);
        if (u >= 0x80) {
            // Accented letters fold through their decomposition.
            for (const QString& key : FolderPhotoKeys::cardNameKeys(Cp1252::decode(name))) {
                const auto cards = m_byName.find(key);
                if (cards != m_byName.end())
                    found(cards.value(), name, position);
            }
            return;
        }
        if (u <= 32) {
            inWord = false;
            continue;
        }
        const bool small = (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9');
        const bool capital = u >= 'A' && u <= 'Z';
        if (!small && !capital)
            continue;
        if (!inWord && (starts.isEmpty() || starts.last() != m_folded.size()))
            starts.append(m_folded.size());
        inWord = true;
        m_folded.append(QLatin1Char(char(capital ? u + 32 : u)));
    }
    const QStringView all(m_folded);
    for (const qsizetype start : starts) {
        m_key.clear();
        m_key.append(all.sliced(start)).append(all.first(start));
        const auto cards = m_byName.find(m_key);
        if (cards != m_byName.end())
            found(cards.value(), name, position);
    }
}

RegistryPhotoIndex RegistryPhotoIndex::read(TArchivioSchede& archive, const QStringList& baseNames)
{
    RegistryPhotoIndex index(baseNames);
    const int count = archive.NumeroSchede();
    archive.Posiziona(0);
    for (int i = 0; i < count; ++i)
        index.add(archive.LeggiSchedaVista(), i + 1);
    return index;
}

RegistryPhotoIndex RegistryPhotoIndex::readRegistry(const QString& programFolder,
                                                    const QStringList& baseNames)
{
    TArchivioSchede archive;
    archive.ApriOCrea(C::archivio(programFolder), C::kSize);
    RegistryPhotoIndex index = read(archive, baseNames);
    archive.ChiudiArchivio();
    return index;
}

QList<int> RegistryPhotoIndex::match(const QString& baseName, bool* byCodiceFiscale) const
{
    const QStringList codici = FolderPhotoKeys::codiciFiscali(baseName);
    if (byCodiceFiscale)
        *byCodiceFiscale = !codici.isEmpty();
    if (codici.isEmpty())
        return m_byName.value(FolderPhotoKeys::fileNameKey(baseName));
    QList<int> cards;
    for (const QString& codice : codici) {
        for (const int position : m_byCodiceFiscale.value(codice)) {
            if (!cards.contains(position))
                cards.append(position);
        }
    }
    return cards;
}

bool RegistryPhotoIndex::stillMatches(const QString& baseName, QByteArrayView record, bool byCodiceFiscale)
{
    RegistryPhotoIndex card({baseName});
    card.add(record, 1);
    bool byCodice = false;
    return card.match(baseName, &byCodice).contains(1) && byCodice == byCodiceFiscale;
}

QStringList FolderPhotoPlan::baseNames(const QStringList& paths)
{
    QStringList names;
    names.reserve(paths.size());
    for (const QString& path : paths)
        names.append(QFileInfo(path).completeBaseName());
    return names;
}

QList<FolderPhotoRow> FolderPhotoPlan::rows(const QStringList& paths, const RegistryPhotoIndex& index)
{
    QList<FolderPhotoRow> rows;
    rows.reserve(paths.size());
    for (const QString& path : paths) {
        const QFileInfo info(path);
        FolderPhotoRow row;
        row.path = path;
        row.fileName = info.fileName();
        row.cards = index.match(info.completeBaseName(), &row.byCodiceFiscale);
        rows.append(row);
    }
    return rows;
}

void FolderPhotoPlan::decide(QList<FolderPhotoRow>& rows, const std::function<bool(int)>& hasOwnPhoto)
{
    using O = FolderPhotoRow::Outcome;
    // The files that may still be photos of one card each; a second one makes both ambiguous.
    QHash<int, int> perCard;
    for (const FolderPhotoRow& row : rows) {
        if ((row.kind == PhotoKind::Unknown || row.kind == PhotoKind::Picture) && row.cards.size() == 1)
            ++perCard[row.cards.first()];
    }
    for (FolderPhotoRow& row : rows) {
        if (row.outcome == O::Scritta || row.outcome == O::NonScritta)
            continue;
        O outcome = O::InEsame;
        QString reason;
        if (row.kind != PhotoKind::Unknown && row.kind != PhotoKind::Picture) {
            outcome = O::Saltata;
            reason = kindReason(row.kind);
        } else if (row.cards.isEmpty()) {
            outcome = O::NessunaScheda;
        } else if (row.cards.size() > 1) {
            outcome = O::PiuSchede;
        } else if (perCard.value(row.cards.first()) > 1) {
            outcome = O::PiuFoto;
        } else if (row.kind == PhotoKind::Picture) {
            outcome = hasOwnPhoto(row.cards.first()) ? O::Sostituisce : O::Nuova;
        }
        row.reason = reason;
        if (outcome != row.outcome) {
            row.outcome = outcome;
            row.ticked = outcome == O::Nuova && !row.faceInDoubt;
        }
    }
}

bool FolderPhotoPlan::hasOwnPhoto(const QString& programFolder, int position)
{
    const QString path = FotoScheda::percorso(programFolder, QString::number(position));
    if (!QFileInfo(path).isFile())
        return false;
    QImageReader reader(path);
    if (reader.size() != QSize(Placeholder::kWidth, Placeholder::kHeight))
        return true;
    // A file that cannot be read is still the person's: it is replaced only when the user ticks it.
    const QImage picture = reader.read();
    return picture.isNull() || !isPlaceholder(picture);
}

QString FolderPhotoPlan::kindReason(PhotoKind kind)
{
    switch (kind) {
    case PhotoKind::NotPicture:
        return QStringLiteral("non \u00E8 un'immagine");
    case PhotoKind::Damaged:
        return QStringLiteral("file danneggiato");
    case PhotoKind::TooLarge:
        return QStringLiteral("foto troppo grande (oltre 100 megapixel)");
    case PhotoKind::Unreadable:
        return QStringLiteral("il file non pu\u00F2 essere letto");
    case PhotoKind::Unknown:
    case PhotoKind::Picture:
        break;
    }
    return QString();
}

QString FolderPhotoPlan::outcomeText(const FolderPhotoRow& row)
{
    using O = FolderPhotoRow::Outcome;
    switch (row.outcome) {
    case O::InEsame:
        return QStringLiteral("In esame...");
    case O::Nuova:
        return row.faceInDoubt ? QStringLiteral("Nuova foto, da controllare: pi\u00F9 volti possibili")
                               : QStringLiteral("Nuova foto");
    case O::Sostituisce:
        return row.faceInDoubt
                   ? QStringLiteral("Sostituisce la foto presente, da controllare: pi\u00F9 volti possibili")
                   : QStringLiteral("Sostituisce la foto presente");
    case O::NessunaScheda:
        return row.byCodiceFiscale ? QStringLiteral("Nessuna scheda con questo codice fiscale")
                                   : QStringLiteral("Nessuna scheda trovata");
    case O::PiuSchede:
        return QStringLiteral("Pi\u00F9 schede corrispondono: nessuna scelta");
    case O::PiuFoto:
        return QStringLiteral("Pi\u00F9 foto per la stessa scheda: nessuna scelta");
    case O::Saltata:
        return QStringLiteral("Saltata: ") + row.reason;
    case O::Scritta:
        return QStringLiteral("Foto scritta");
    case O::NonScritta:
        return QStringLiteral("Non scritta: ") + row.reason;
    }
    return QString();
}
