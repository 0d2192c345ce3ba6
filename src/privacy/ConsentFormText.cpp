#include "privacy/ConsentFormText.h"

#include "storage/Cp1252.h"
#include "storage/SafeSave.h"
#include "storage/TextRules.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace {

const QString kBlank = QStringLiteral("______________________________");

} // namespace

QString ConsentFormText::fileName()
{
    return QStringLiteral("Modulo consenso.txt");
}

QString ConsentFormText::defaultText()
{
    return QStringLiteral(
        "MODULO DI CONSENSO AL TRATTAMENTO DEI DATI PERSONALI\n"
        "Informativa ai sensi degli articoli 13 e 14 del Regolamento (UE) 2016/679 (GDPR)\n"
        "\n"
        "Titolare del trattamento: {associazione}.\n"
        "Interessato: {nome}, nato/a il {data_nascita} a {luogo_nascita}, codice fiscale {codice_fiscale}.\n"
        "\n"
        "I dati personali dell'interessato (dati anagrafici, recapiti, documento di identit\u00E0, codice "
        "fiscale "
        "e fotografia) sono trattati dal titolare per la gestione delle attivit\u00E0 dell'associazione: "
        "iscrizione, organizzazione dei gruppi, comunicazioni e adempimenti di legge. Il trattamento avviene "
        "con strumenti informatici e cartacei, con misure adeguate a garantirne la sicurezza; i dati non "
        "sono "
        "diffusi n\u00E9 trasferiti fuori dall'Unione europea e sono conservati per il tempo necessario alle "
        "finalit\u00E0 indicate e agli obblighi di legge.\n"
        "L'interessato pu\u00F2 in ogni momento chiedere al titolare l'accesso ai propri dati, la rettifica, "
        "la "
        "cancellazione, la limitazione del trattamento e la portabilit\u00E0 dei dati, opporsi al "
        "trattamento, "
        "revocare il consenso senza pregiudicare la liceit\u00E0 del trattamento svolto prima della revoca e "
        "proporre reclamo al Garante per la protezione dei dati personali.\n"
        "Per i minori di 14 anni il consenso \u00E8 dato da chi esercita la responsabilit\u00E0 "
        "genitoriale.\n"
        "\n"
        "CONSENSO AL TRATTAMENTO DEI DATI PERSONALI\n"
        "[   ] presto il consenso          [   ] nego il consenso\n"
        "\n"
        "CONSENSO ALL'USO DELLE FOTOGRAFIE\n"
        "[   ] acconsento all'uso delle fotografie\n"
        "[   ] acconsento solo per uso interno all'associazione (schede e pagine dei gruppi non pubblicate)\n"
        "[   ] non acconsento\n"
        "\n"
        "Nome e cognome del genitore o tutore: ________________________________________\n"
        "\n"
        "Luogo e data: ________________________________________\n"
        "\n"
        "Firma dell'interessato: ________________________________________\n"
        "\n"
        "Firma del genitore o tutore: ________________________________________\n");
}

QString ConsentFormText::load(const QString& programFolder)
{
    const QString path = QDir(programFolder).filePath(fileName());
    QFile file(path);
    if (!file.exists()) {
        // A folder that cannot be written still prints the default text.
        SafeSave::writeFile(path, defaultText().toUtf8());
        return defaultText();
    }
    if (!file.open(QIODevice::ReadOnly))
        return defaultText();
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    // A file saved by an older editor in the Windows code page reads as it was meant.
    return utf8.hasError() ? Cp1252::decode(bytes) : text;
}

QStringList ConsentFormText::fill(const QString& text, const Person& person)
{
    const auto value = [](const QString& v) {
        const QString trimmed = TextRules::trim(v);
        return trimmed.isEmpty() ? kBlank : trimmed;
    };
    QString filled = text;
    filled.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    filled.replace(QStringLiteral("{nome}"), value(person.nome));
    filled.replace(QStringLiteral("{data_nascita}"), value(person.dataNascita));
    filled.replace(QStringLiteral("{luogo_nascita}"), value(person.luogoNascita));
    filled.replace(QStringLiteral("{codice_fiscale}"), value(person.codiceFiscale));
    filled.replace(QStringLiteral("{associazione}"), value(person.associazione));
    QStringList lines = filled.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && TextRules::trim(lines.last()).isEmpty())
        lines.removeLast();
    return lines;
}
