#include "import/ImportPlan.h"

#include "photos/PhotoCrop.h"
#include "platform/LargePages.h"
#include "storage/ArchiveError.h"
#include "storage/Cp1252.h"
#include "storage/FotoScheda.h"
#include "storage/PhotoFiles.h"
#include "storage/TArchivioSchede.h"
#include "storage/TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using C = TSchedaAnagrafica;

constexpr int kProgressStep = 512;

// The fields a card cannot be saved without in the editor, besides the name.
constexpr std::array<C::Campo, 4> kRichiesti = {C::Sesso, C::Email, C::Cel, C::Esperienze};

bool inCodePage(QStringView text)
{
    const char16_t* chars = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = chars[i];
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
            continue;
        if (Cp1252::encodeChar(QChar(u)) == '?')
            return false;
    }
    return true;
}

// Characters stored: a surrogate pair is one.
qsizetype storedLength(QStringView text)
{
    const char16_t* chars = text.utf16();
    qsizetype n = text.size();
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (QChar::isHighSurrogate(chars[i]) && QChar::isLowSurrogate(chars[i + 1]))
            --n, ++i;
    }
    return n;
}

} // namespace

QString ImportPlan::chiaveNomeData(const QString& name, const QString& birthDate)
{
    const QString n = ImportMapping::fold(name);
    const QString d = ImportMapping::fold(birthDate);
    if (n.isEmpty() || d.isEmpty())
        return QString();
    return n + u'|' + d;
}

QString ImportPlan::comeMemorizzato(C::Campo campo, const QString& text)
{
    const QString trimmed = TextRules::trim(text);
    if (trimmed.size() <= C::layoutOf(campo).capacity && inCodePage(trimmed))
        return trimmed;
    return TextRules::trim(Cp1252::decode(Cp1252::encode(trimmed).left(C::layoutOf(campo).capacity)));
}

ImportPlan::Chiave ImportPlan::chiaveDi(const ImportMapping::Values& values)
{
    return {comeMemorizzato(C::CodFisc, values[C::CodFisc]).toUpper(),
            chiaveNomeData(comeMemorizzato(C::Candidato, values[C::Candidato]),
                           comeMemorizzato(C::DataNasc, values[C::DataNasc]))};
}

void ImportPlan::Chiavi::aggiungi(const Chiave& chiave, int posizione)
{
    if (!chiave.codiceFiscale.isEmpty())
        codiceFiscale.insert(chiave.codiceFiscale, posizione);
    if (!chiave.nomeData.isEmpty())
        nomeData.insert(chiave.nomeData, posizione);
}

void ImportPlan::Chiavi::aggiungi(const TSchedaAnagrafica& scheda, int posizione)
{
    const QString cf = TextRules::trim(scheda.testo(C::CodFisc)).toUpper();
    // The first card of a person is the one shown.
    if (!cf.isEmpty() && !codiceFiscale.contains(cf))
        codiceFiscale.insert(cf, posizione);
    const QString nome = TextRules::trim(scheda.testo(C::Candidato));
    const QString data = TextRules::trim(scheda.testo(C::DataNasc));
    const QString key = chiaveNomeData(nome, data);
    if (!key.isEmpty() && !nomeData.contains(key))
        nomeData.insert(key, posizione);
    if (data.isEmpty()) {
        const QString soloIlNome = ImportMapping::fold(nome);
        if (!soloIlNome.isEmpty() && !soloNome.contains(soloIlNome))
            soloNome.insert(soloIlNome, posizione);
    }
}

int ImportPlan::Chiavi::trovaNome(const ImportMapping::Values& values) const
{
    if (!values[C::DataNasc].isEmpty() || soloNome.isEmpty())
        return 0;
    return soloNome.value(ImportMapping::fold(comeMemorizzato(C::Candidato, values[C::Candidato])), 0);
}

int ImportPlan::Chiavi::trova(const Chiave& chiave) const
{
    if (!chiave.codiceFiscale.isEmpty()) {
        const auto found = codiceFiscale.constFind(chiave.codiceFiscale);
        if (found != codiceFiscale.constEnd())
            return found.value();
    }
    if (!chiave.nomeData.isEmpty()) {
        const auto found = nomeData.constFind(chiave.nomeData);
        if (found != nomeData.constEnd())
            return found.value();
    }
    return 0;
}

ImportPlan::Chiavi ImportPlan::chiavi(TArchivioSchede& archivio)
{
    Chiavi result;
    TSchedaAnagrafica scheda;
    archivio.Posiziona(0);
    while (!archivio.FineArchivio()) {
        archivio.LeggiScheda(scheda.buffer());
        result.aggiungi(scheda, archivio.PosizioneCorrente());
    }
    return result;
}

ImportPlan::Chiavi ImportPlan::chiaviRegistro(const QString& programFolder)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(C::archivio(programFolder), C::kSize);
    Chiavi result = chiavi(archivio);
    archivio.ChiudiArchivio();
    return result;
}

QList<ImportPlan::Riga> ImportPlan::prepara(const QList<QStringList>& rows, const ImportMapping& mapping,
                                            const Chiavi& chiavi, const Progress& progress, bool* cancelled,
                                            const QList<SheetReader::CellNote>& notes)
{
    QHash<int, QList<SheetReader::CellNote>> notesByRow;
    for (const SheetReader::CellNote& note : notes)
        notesByRow[note.row].append(note);
    if (cancelled)
        *cancelled = false;
    QList<Riga> result;
    result.reserve(std::max<qsizetype>(0, rows.size() - 1));
    // About a kilobyte a row, touched for the first time as the rows come.
    LargePages::advise(result.data(), std::size_t(result.capacity()) * sizeof(Riga));
    Chiavi nelFile; // the new persons met so far, by their sheet row
    nelFile.codiceFiscale.reserve(result.capacity());
    nelFile.nomeData.reserve(result.capacity());
    const int total = int(rows.size()) - 1;
    for (int r = 1; r < rows.size(); ++r) {
        if (progress && r % kProgressStep == 0 && !progress(r, total)) {
            if (cancelled)
                *cancelled = true;
            return {};
        }
        Riga riga;
        riga.rigaFoglio = r + 1;
        riga.values = mapping.values(rows[r]);
        bool vuota = true;
        for (int campo = 0; campo < C::Ricontatta; ++campo) {
            const QString& text = riga.values.texts[campo];
            if (text.isEmpty())
                continue;
            vuota = false;
            if (storedLength(text) > C::layoutOf(C::Campo(campo)).capacity)
                riga.troppoLunghi.append(ImportMapping::captionOf(campo));
            if (!inCodePage(text))
                riga.fuoriCodifica.append(ImportMapping::captionOf(campo));
        }
        if (vuota)
            continue; // a blank line of the sheet is no person
        for (const SheetReader::CellNote& note : notesByRow.value(r)) {
            const QString caption = ImportMapping::captionOf(mapping.target(note.column));
            QStringList& list =
                note.kind == SheetReader::CellNote::Kind::DigitsLost ? riga.cifrePerse : riga.senzaValore;
            if (mapping.target(note.column) != ImportMapping::kIgnora && !list.contains(caption))
                list.append(caption);
        }
        for (const C::Campo campo : kRichiesti) {
            if (riga.values[campo].isEmpty())
                riga.mancanti.append(ImportMapping::captionOf(campo));
        }
        riga.chiave = chiaveDi(riga.values);
        if (riga.values[C::Candidato].isEmpty()) {
            riga.esito = Esito::Rifiutata;
        } else if (const int posizione = chiavi.trova(riga.chiave); posizione > 0) {
            riga.esito = Esito::Presente;
            riga.posizione = posizione;
        } else if (const int simile = chiavi.trovaNome(riga.values); simile > 0) {
            riga.esito = Esito::ProbabilmentePresente;
            riga.posizione = simile;
        } else if (const int prima = nelFile.trova(riga.chiave); prima > 0) {
            riga.esito = Esito::PresenteNelFile;
            riga.posizione = prima;
        } else {
            riga.esito = Esito::Nuova;
            nelFile.aggiungi(riga.chiave, riga.rigaFoglio);
        }
        riga.importa = riga.esito == Esito::Nuova;
        result.append(std::move(riga));
    }
    return result;
}

QString ImportPlan::testoEsito(const Riga& riga)
{
    switch (riga.esito) {
    case Esito::Nuova:
        return QStringLiteral("Nuova scheda");
    case Esito::Presente:
        return QStringLiteral("Gi\u00E0 in archivio (scheda %1)").arg(riga.posizione);
    case Esito::ProbabilmentePresente:
        return QStringLiteral("Probabilmente gi\u00E0 presente (scheda %1)").arg(riga.posizione);
    case Esito::Importata:
        return QStringLiteral("Importata (scheda %1)").arg(riga.posizione);
    case Esito::PresenteNelFile:
        return QStringLiteral("Ripetuta (come la riga %1)").arg(riga.posizione);
    case Esito::Rifiutata:
        return QStringLiteral("Rifiutata: manca il nome");
    }
    return QString();
}

bool ImportPlan::sembraSenzaIntestazioni(const QStringList& firstRow, const ImportMapping& mapping)
{
    if (mapping.anyMatched())
        return false;
    const bool anyText = std::any_of(firstRow.begin(), firstRow.end(),
                                     [](const QString& s) { return !TextRules::trim(s).isEmpty(); });
    if (!anyText)
        return true;
    // Headers hold words; a first row with digits or an address is a person's data.
    return std::any_of(firstRow.begin(), firstRow.end(), [](const QString& cell) {
        return cell.contains(u'@') ||
               std::any_of(cell.begin(), cell.end(), [](QChar c) { return c.isDigit(); });
    });
}

QHash<QString, QString> ImportAppend::indiceFoto(const QString& photoFolder)
{
    QHash<QString, QString> index;
    if (photoFolder.isEmpty())
        return index;
    const QDir dir(photoFolder);
    const QStringList filters = {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.png"),
                                 QStringLiteral("*.bmp")};
    for (const QFileInfo& info :
         dir.entryInfoList(filters, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase)) {
        const QString key = ImportMapping::fold(info.completeBaseName());
        if (!key.isEmpty() && !index.contains(key))
            index.insert(key, info.absoluteFilePath());
    }
    return index;
}

QString ImportAppend::fotoDi(const QHash<QString, QString>& indice, const ImportMapping::Values& values)
{
    if (indice.isEmpty())
        return QString();
    for (const QString& key :
         {ImportMapping::fold(values[C::CodFisc]), ImportMapping::fold(values[C::Candidato])}) {
        if (!key.isEmpty() && indice.contains(key))
            return indice.value(key);
    }
    return QString();
}

ImportAppend::Risultato ImportAppend::aggiungi(const QString& programFolder,
                                               const QList<ImportPlan::Riga>& righe,
                                               const QString& photoFolder, const Progress& progress)
{
    Risultato risultato;
    const QHash<QString, QString> foto = indiceFoto(photoFolder);
    int daScrivere = 0;
    for (const ImportPlan::Riga& riga : righe) {
        if (riga.importa)
            ++daScrivere;
        else if (riga.esito == ImportPlan::Esito::Rifiutata)
            ++risultato.rifiutate;
        else
            ++risultato.saltate;
    }
    TArchivioSchede archivio;
    try {
        archivio.ApriOCrea(TSchedaAnagrafica::archivio(programFolder), C::kSize);
        // Another workstation may have added some of these persons since the preview. The new rows
        // differ from one another already: only the cards in the archive now need a look.
        const ImportPlan::Chiavi chiavi = ImportPlan::chiavi(archivio);
        archivio.Posiziona(archivio.NumeroSchede());
        int fatte = 0;
        TSchedaAnagrafica scheda;
        for (const ImportPlan::Riga& riga : righe) {
            if (!riga.importa)
                continue;
            if (progress && fatte % 256 == 0 && fatte > 0 && !progress(fatte, daScrivere)) {
                risultato.annullata = true;
                break;
            }
            ++fatte;
            if (riga.esito == ImportPlan::Esito::Nuova && chiavi.trova(riga.chiave) > 0) {
                ++risultato.saltate;
                continue;
            }
            ImportMapping::fill(riga.values, scheda);
            archivio.ScriviScheda(scheda.buffer());
            const int posizione = archivio.PosizioneCorrente();
            ++risultato.aggiunte;
            if (risultato.primaPosizione == 0)
                risultato.primaPosizione = posizione;
            risultato.ultimaPosizione = posizione;
            risultato.aggiunteRighe.append({riga.rigaFoglio, posizione});
            const QString file = fotoDi(foto, riga.values);
            if (!file.isEmpty()) {
                const PhotoFiles::Read letta = leggiFoto(file);
                if (letta.outcome == PhotoFiles::Outcome::Loaded &&
                    SalvaFotoScheda(programFolder, QString::number(posizione),
                                    PhotoCrop::cardPhoto(letta.picture)))
                    ++risultato.foto;
                else
                    ++risultato.fotoIlleggibili;
            }
        }
        archivio.ChiudiArchivio();
    } catch (const ArchiveError&) {
        risultato.errore = accessMessage();
    }
    return risultato;
}

PhotoFiles::Read ImportAppend::leggiFoto(const QString& file)
{
    // Only a regular file, also behind a link: a device or a pipe named like a photo reads for ever.
    constexpr qint64 kMaxPhotoBytes = 200LL * 1024 * 1024;
    const QFileInfo info(file);
    if (!info.exists())
        return {};
    QFile device(file);
    if (!info.isFile() || info.size() > kMaxPhotoBytes || !device.open(QIODevice::ReadOnly) ||
        device.isSequential())
        return {QImage(), PhotoFiles::Outcome::Unreadable};
    try {
        const QByteArray bytes = device.read(kMaxPhotoBytes + 1);
        if (bytes.size() > kMaxPhotoBytes)
            return {QImage(), PhotoFiles::Outcome::Unreadable};
        return PhotoFiles::decode(bytes);
    } catch (const std::bad_alloc&) {
        return {QImage(), PhotoFiles::Outcome::Unreadable};
    }
}

void ImportAppend::segnaImportate(QList<ImportPlan::Riga>& righe, const Risultato& risultato)
{
    QHash<int, int> posizioni;
    for (const auto& [rigaFoglio, posizione] : risultato.aggiunteRighe)
        posizioni.insert(rigaFoglio, posizione);
    for (ImportPlan::Riga& riga : righe) {
        const auto found = posizioni.constFind(riga.rigaFoglio);
        if (found == posizioni.constEnd())
            continue;
        riga.esito = ImportPlan::Esito::Importata;
        riga.posizione = found.value();
        riga.importa = false;
    }
}

QString ImportAppend::rapporto(const Risultato& r, const QString& file)
{
    QStringList lines;
    lines << QStringLiteral("Importazione nell'archivio anagrafico");
    if (!file.isEmpty())
        lines << QStringLiteral("File: %1").arg(QDir::toNativeSeparators(file));
    lines << QString();
    if (r.aggiunte == 1)
        lines << QStringLiteral("Schede aggiunte: 1 (dalla posizione %1)").arg(r.primaPosizione);
    else if (r.aggiunte > 0)
        lines << QStringLiteral("Schede aggiunte: %1 (dalla posizione %2 alla %3)")
                     .arg(r.aggiunte)
                     .arg(r.primaPosizione)
                     .arg(r.ultimaPosizione);
    else
        lines << QStringLiteral("Schede aggiunte: 0");
    lines << QStringLiteral("Righe saltate perch\u00E9 gi\u00E0 presenti: %1").arg(r.saltate);
    lines << QStringLiteral("Righe rifiutate perch\u00E9 senza nome: %1").arg(r.rifiutate);
    if (r.foto > 0 || r.fotoIlleggibili > 0)
        lines << QStringLiteral("Foto associate: %1").arg(r.foto);
    if (r.fotoIlleggibili > 0)
        lines << QStringLiteral("Foto trovate ma non leggibili: %1").arg(r.fotoIlleggibili);
    if (r.annullata)
        lines << QString()
              << QStringLiteral("L'importazione \u00E8 stata interrotta dall'utente: le schede "
                                "aggiunte fino a quel momento restano in archivio.");
    if (!r.errore.isEmpty())
        lines << QString()
              << QStringLiteral("L'importazione si \u00E8 fermata per un errore di accesso all'archivio: ") +
                     (r.aggiunte == 1
                          ? QStringLiteral(
                                "la scheda aggiunta prima dell'errore resta in archivio, completa.")
                          : QStringLiteral("le %1 schede aggiunte prima dell'errore restano in archivio, "
                                           "complete.")
                                .arg(r.aggiunte));
    return lines.join(u'\n');
}
