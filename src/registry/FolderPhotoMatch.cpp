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
#include <QSet>

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
    static const QRegularExpression shape(QStringLiteral(
        "^[A-Z]{6}[0-9LMNPQRSTUV]{2}[A-Z][0-9LMNPQRSTUV]{2}[A-Z][0-9LMNPQRSTUV]{3}[A-Z]$"));
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
    for (const QString& word : cardName.split(u' ', Qt::SkipEmptyParts)) {
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

void RegistryPhotoIndex::add(QByteArrayView record, int position)
{
    if (position < 1)
        return;
    const QString name = Cp1252::decode(C::trimmedBytes(record, C::Candidato));
    if (m_names.size() < position)
        m_names.resize(position);
    m_names[position - 1] = name;
    for (const QString& key : FolderPhotoKeys::cardNameKeys(name))
        m_byName[key].append(position);
    const QString codice = TextRules::upperAZ(Cp1252::decode(C::trimmedBytes(record, C::CodFisc)));
    if (codice.size() == 16)
        m_byCodiceFiscale[codice].append(position);
}

RegistryPhotoIndex RegistryPhotoIndex::read(TArchivioSchede& archive)
{
    RegistryPhotoIndex index;
    const int count = archive.NumeroSchede();
    index.m_names.reserve(count);
    index.m_byName.reserve(count * 2);
    archive.Posiziona(0);
    for (int i = 0; i < count; ++i)
        index.add(archive.LeggiSchedaVista(), i + 1);
    return index;
}

RegistryPhotoIndex RegistryPhotoIndex::readRegistry(const QString& programFolder)
{
    TArchivioSchede archive;
    archive.ApriOCrea(C::archivio(programFolder), C::kSize);
    RegistryPhotoIndex index = read(archive);
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
    QList<int> found;
    for (const QString& codice : codici) {
        for (const int position : m_byCodiceFiscale.value(codice)) {
            if (!found.contains(position))
                found.append(position);
        }
    }
    return found;
}

bool RegistryPhotoIndex::stillMatches(const QString& baseName, QByteArrayView record, bool byCodiceFiscale)
{
    RegistryPhotoIndex card;
    card.add(record, 1);
    bool byCodice = false;
    return card.match(baseName, &byCodice).contains(1) && byCodice == byCodiceFiscale;
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
            row.ticked = outcome == O::Nuova;
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
        return QStringLiteral("Nuova foto");
    case O::Sostituisce:
        return QStringLiteral("Sostituisce la foto presente");
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
