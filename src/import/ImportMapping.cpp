#include "import/ImportMapping.h"

#include "storage/SafeSave.h"
#include "storage/TextRules.h"

#include <algorithm>

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QTemporaryDir>

namespace {

using C = TSchedaAnagrafica;

// The captions of the fields, as the export heads its columns.
const QList<ImportMapping::Target>& allTargets()
{
    static const QList<ImportMapping::Target> list = {
        {ImportMapping::kIgnora, QStringLiteral("(non importare)")},
        {C::Candidato, QStringLiteral("Cognome e nome")},
        {ImportMapping::kCognome, QStringLiteral("Cognome")},
        {ImportMapping::kNome, QStringLiteral("Nome")},
        {C::Sesso, QStringLiteral("Sesso")},
        {C::DataNasc, QStringLiteral("Data nascita")},
        {C::Cittadinanza, QStringLiteral("Cittadinanza")},
        {C::LuogoNasc, QStringLiteral("Luogo nascita")},
        {C::Indirizzo, QStringLiteral("Indirizzo residenza")},
        {C::Citta, QStringLiteral("Citt\u00E0")},
        {C::Cap, QStringLiteral("CAP")},
        {C::Settore, QStringLiteral("Settore professionale")},
        {C::CodFisc, QStringLiteral("Codice fiscale")},
        {C::PartitaIva, QStringLiteral("Partita IVA")},
        {C::Patente, QStringLiteral("Patente di guida")},
        {C::Studio, QStringLiteral("Titolo di studio")},
        {C::Lingue, QStringLiteral("Lingue conosciute")},
        {C::Email, QStringLiteral("E-mail")},
        {C::Tel, QStringLiteral("Tel. casa")},
        {C::Cel, QStringLiteral("Tel. cellulare")},
        {C::Documento, QStringLiteral("Documento")},
        {C::EnteRil, QStringLiteral("Ente di rilascio")},
        {C::InizioTes, QStringLiteral("Data rilascio")},
        {C::FineTes, QStringLiteral("Data scadenza")},
        {C::Esperienze, QStringLiteral("Ruolo nel gruppo")},
        {C::Competenze, QStringLiteral("Competenze informatiche")},
        {C::Disponibilita, QStringLiteral("Disponibilit\u00E0")},
        {C::Note, QStringLiteral("Note")},
        {C::Ricontatta, QStringLiteral("Da ricontattare")},
    };
    return list;
}

// Folded headers and the field they name: the export's own headers and common variants.
const QHash<QString, int>& synonyms()
{
    static const QHash<QString, int> table = [] {
        QHash<QString, int> t;
        for (const ImportMapping::Target& target : allTargets()) {
            if (target.id != ImportMapping::kIgnora)
                t.insert(ImportMapping::fold(target.caption), target.id);
        }
        const auto add = [&t](int id, std::initializer_list<const char*> names) {
            for (const char* name : names)
                t.insert(ImportMapping::fold(QString::fromUtf8(name)), id);
        };
        add(C::Candidato, {"Cognome e nome", "Nome e cognome", "Nominativo", "Candidato", "Full name", "Name",
                           "Nome completo", "Socio", "Iscritto", "Persona", "Studente", "Alunno", "Atleta"});
        add(ImportMapping::kCognome, {"Cognome", "Surname", "Last name", "Family name", "Lastname"});
        add(ImportMapping::kNome, {"Nome", "First name", "Given name", "Firstname", "Nome proprio"});
        add(C::Sesso, {"Sesso", "Sex", "Gender", "Genere", "M/F"});
        add(C::DataNasc, {"Data nascita", "Data di nascita", "Nato il", "Nata il", "Date of birth",
                          "Birth date", "Birthdate", "DOB", "Nascita"});
        add(C::Cittadinanza, {"Cittadinanza", "Nazionalità", "Nationality", "Citizenship"});
        add(C::LuogoNasc, {"Luogo nascita", "Luogo di nascita", "Nato a", "Place of birth", "Birthplace",
                           "Comune di nascita"});
        add(C::Indirizzo, {"Indirizzo residenza", "Indirizzo", "Indirizzo di residenza", "Via", "Address",
                           "Street", "Residenza"});
        add(C::Citta, {"Città", "Citta", "Comune", "Comune di residenza", "City", "Town", "Località"});
        add(C::Cap, {"CAP", "C.A.P.", "Codice postale", "Postal code", "Postcode", "ZIP", "ZIP code"});
        add(C::Settore, {"Settore professionale", "Settore", "Professione", "Occupazione", "Occupation",
                         "Job", "Profession"});
        add(C::CodFisc,
            {"Codice fiscale", "CF", "C.F.", "Cod. fisc.", "Cod fiscale", "Tax code", "Fiscal code"});
        add(C::PartitaIva, {"Partita IVA", "P.IVA", "PIVA", "P. IVA", "VAT", "VAT number"});
        add(C::Patente, {"Patente di guida", "Patente", "Driving licence", "Driving license"});
        add(C::Studio, {"Titolo di studio", "Studi", "Istruzione", "Education", "Qualification"});
        add(C::Lingue, {"Lingue conosciute", "Lingue", "Languages"});
        add(C::Email, {"E-mail", "Email", "Mail", "Posta elettronica", "Indirizzo email", "E-mail address"});
        add(C::Tel, {"Tel. casa", "Telefono", "Tel", "Telefono casa", "Telefono fisso", "Phone", "Home phone",
                     "Telephone"});
        add(C::Cel, {"Tel. cellulare", "Cellulare", "Cell", "Cel", "Cell.", "Mobile", "Mobile phone",
                     "Cellphone", "Telefono cellulare"});
        add(C::Documento,
            {"Documento", "Documento (tipo e numero)", "Documento di identità", "ID document", "Document"});
        add(C::EnteRil, {"Ente rilascio", "Ente di rilascio", "Rilasciato da", "Issued by"});
        add(C::InizioTes, {"Data rilascio", "Data di rilascio", "Issue date"});
        add(C::FineTes, {"Data scadenza", "Data di scadenza", "Scadenza", "Expiry date", "Expiry"});
        add(C::Esperienze, {"Ruolo nel gruppo", "Ruolo", "Role", "Incarico", "Mansione", "Qualifica"});
        add(C::Competenze, {"Competenze informatiche", "Competenze", "Computer skills", "Skills"});
        add(C::Disponibilita, {"Disponibilità", "Disponibilita", "Availability", "Orari"});
        add(C::Note, {"Note", "Notes", "Annotazioni", "Osservazioni", "Comments"});
        add(C::Ricontatta, {"Da ricontattare", "Ricontattare", "Richiamare", "Recontact", "Call back"});
        return t;
    }();
    return table;
}

bool isYes(const QString& text)
{
    static const QStringList yes = {QStringLiteral("si"),   QStringLiteral("s"),   QStringLiteral("yes"),
                                    QStringLiteral("y"),    QStringLiteral("x"),   QStringLiteral("1"),
                                    QStringLiteral("vero"), QStringLiteral("true")};
    return yes.contains(ImportMapping::fold(text));
}

// "Maschio", "male", "m" to "M"; "Femmina", "female", "f" to "F"; anything else as it is.
QString sexOf(const QString& text)
{
    const QString folded = ImportMapping::fold(text);
    if (folded == u"m" || folded == u"maschio" || folded == u"male" || folded == u"uomo")
        return QStringLiteral("M");
    if (folded == u"f" || folded == u"femmina" || folded == u"female" || folded == u"donna")
        return QStringLiteral("F");
    return TextRules::upperAZ(text);
}

// The SHA-256 of a regular file's content, in hexadecimal; empty when it cannot be read.
QString contentKey(const QString& file)
{
    QFile device(file);
    if (!QFileInfo(file).isFile() || !device.open(QIODevice::ReadOnly) || device.isSequential())
        return QString();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&device))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

const QString kFileImportati = QStringLiteral("FileImportati");

} // namespace

QString ImportMapping::importedOn(const QString& programFolder, const QString& file)
{
    const QString key = contentKey(file);
    if (key.isEmpty())
        return QString();
    QSettings settings(settingsPath(programFolder), QSettings::IniFormat);
    settings.beginGroup(kFileImportati);
    return settings.value(key).toString();
}

bool ImportMapping::rememberImported(const QString& programFolder, const QString& file)
{
    const QString key = contentKey(file);
    if (key.isEmpty())
        return false;
    QSettings settings(settingsPath(programFolder), QSettings::IniFormat);
    settings.beginGroup(kFileImportati);
    settings.setValue(key, QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

const QList<ImportMapping::Target>& ImportMapping::targets()
{
    return allTargets();
}

QString ImportMapping::captionOf(int target)
{
    for (const Target& t : allTargets()) {
        if (t.id == target)
            return t.caption;
    }
    return QString();
}

QString ImportMapping::fold(const QString& header)
{
    // Plain ASCII, the common case, needs no decomposition.
    const auto* chars = reinterpret_cast<const char16_t*>(header.constData());
    const qsizetype size = header.size();
    bool ascii = true;
    for (qsizetype i = 0; ascii && i < size; ++i)
        ascii = chars[i] < 0x80;
    if (ascii) {
        QString out(size, Qt::Uninitialized);
        auto* write = reinterpret_cast<char16_t*>(out.data());
        qsizetype n = 0;
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t u = chars[i];
            if (u >= u'A' && u <= u'Z')
                write[n++] = char16_t(u + 32);
            else if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9'))
                write[n++] = u;
        }
        out.truncate(n);
        return out;
    }
    const QString decomposed = header.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.isLetterOrNumber() && c.category() != QChar::Mark_NonSpacing)
            out.append(c.toLower());
    }
    return out;
}

int ImportMapping::matchHeader(const QString& header)
{
    return synonyms().value(fold(header), kIgnora);
}

ImportMapping ImportMapping::fromHeaders(const QStringList& headers, const QHash<QString, int>& remembered)
{
    ImportMapping mapping;
    for (const QString& header : headers) {
        const QString folded = fold(header);
        mapping.m_targets.append(remembered.contains(folded) ? remembered.value(folded)
                                                             : matchHeader(header));
    }
    // A field filled by two columns takes the first; the later one is ignored until the user says otherwise.
    for (int i = 0; i < mapping.m_targets.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (mapping.m_targets[i] != kIgnora && mapping.m_targets[j] == mapping.m_targets[i])
                mapping.m_targets[i] = kIgnora;
        }
    }
    return mapping;
}

void ImportMapping::setTarget(int column, int target)
{
    while (m_targets.size() <= column)
        m_targets.append(kIgnora);
    m_targets[column] = target;
}

bool ImportMapping::anyMatched() const
{
    return std::any_of(m_targets.begin(), m_targets.end(), [](int t) { return t != kIgnora; });
}

ImportMapping::Values ImportMapping::values(const QStringList& row) const
{
    Values result;
    QString surname;
    QString name;
    const int columns = std::min<int>(int(row.size()), int(m_targets.size()));
    for (int column = 0; column < columns; ++column) {
        const int target = m_targets[column];
        const QString text = TextRules::trim(row[column]);
        if (target == kIgnora || text.isEmpty())
            continue;
        if (target == kCognome)
            surname = surname.isEmpty() ? text : surname + u' ' + text;
        else if (target == kNome)
            name = name.isEmpty() ? text : name + u' ' + text;
        else if (target >= 0 && target < C::NumeroCampi) {
            QString& field = result.texts[target];
            field = field.isEmpty() ? text : field + u' ' + text;
        }
    }
    if (result.texts[C::Candidato].isEmpty())
        result.texts[C::Candidato] = TextRules::trim(surname + u' ' + name);
    if (!result.texts[C::Sesso].isEmpty())
        result.texts[C::Sesso] = sexOf(result.texts[C::Sesso]);
    result.texts[C::CodFisc] = TextRules::upperAZ(result.texts[C::CodFisc]);
    result.texts[C::Ricontatta] = isYes(result.texts[C::Ricontatta]) ? C::flagSi() : C::flagNo();
    return result;
}

TSchedaAnagrafica ImportMapping::card(const Values& values)
{
    TSchedaAnagrafica scheda;
    fill(values, scheda);
    return scheda;
}

void ImportMapping::fill(const Values& values, TSchedaAnagrafica& scheda)
{
    // A card reused row after row starts blank: no byte of the previous person stays behind a
    // shorter text.
    QByteArray& record = scheda.buffer();
    std::fill(record.begin(), record.end(), '\0');
    char* buffer = record.data();
    for (int campo = 0; campo < C::Ricontatta; ++campo) {
        const C::Layout& layout = C::layoutOf(C::Campo(campo));
        const QString& text = values.texts[campo];
        const auto* chars = reinterpret_cast<const char16_t*>(text.constData());
        const qsizetype size = text.size();
        char* field = buffer + layout.offset;
        // Text already trimmed, short enough and all in the code page's Latin-1 part goes in as it is.
        bool plain = size <= layout.capacity && (size == 0 || (chars[0] > 32 && chars[size - 1] > 32));
        for (qsizetype i = 0; plain && i < size; ++i) {
            const char16_t u = chars[i];
            plain = u < 0x80 || (u >= 0xA0 && u <= 0xFF);
            field[1 + i] = static_cast<char>(u);
        }
        if (plain)
            field[0] = static_cast<char>(size);
        else
            scheda.setTesto(C::Campo(campo), text);
    }
    scheda.setRicontatta(values.texts[C::Ricontatta] == C::flagSi());
}

QString ImportMapping::settingsPath(const QString& programFolder)
{
    return programFolder + QStringLiteral("Importazione.ini");
}

QHash<QString, int> ImportMapping::remembered(const QString& programFolder)
{
    QHash<QString, int> result;
    QSettings settings(settingsPath(programFolder), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Colonne"));
    for (const QString& key : settings.childKeys()) {
        bool ok = false;
        const int target = settings.value(key).toInt(&ok);
        if (ok && !captionOf(target).isEmpty())
            result.insert(key, target);
    }
    return result;
}

bool ImportMapping::remember(const QString& programFolder, const QStringList& headers) const
{
    // The settings are composed in a scratch copy and the file is replaced only when written whole:
    // QSettings alone leaves an empty file behind on a full disk.
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return false;
    const QString draft = scratch.filePath(QStringLiteral("Importazione.ini"));
    const QString path = settingsPath(programFolder);
    if (QFileInfo(path).isFile() && !QFile::copy(path, draft))
        return false;
    QHash<QString, int> written;
    {
        QSettings settings(draft, QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Colonne"));
        for (int column = 0; column < headers.size() && column < m_targets.size(); ++column) {
            const QString key = fold(headers[column]);
            if (!key.isEmpty()) {
                settings.setValue(key, m_targets[column]);
                written.insert(key, m_targets[column]);
            }
        }
        settings.endGroup();
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    QSettings check(draft, QSettings::IniFormat);
    check.beginGroup(QStringLiteral("Colonne"));
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        if (check.value(it.key()).toInt() != it.value())
            return false;
    }
    QFile composed(draft);
    return composed.open(QIODevice::ReadOnly) && SafeSave::writeFile(path, composed.readAll());
}
