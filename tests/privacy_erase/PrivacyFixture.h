#pragma once

#include "support/TestFiles.h"

#include "groups/GroupFiles.h"
#include "privacy/erase/PersonSideData.h"
#include "storage/FotoGruppo.h"
#include "storage/FotoScheda.h"
#include "storage/PhotoFiles.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "storage/TSchedaGruppo.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QStringConverter>
#include <QStringList>
#include <QTest>

// A program folder with three cards; card 2, "Verdù Nicolò", is the person exported and erased.
// Card 3 shares one attached file with card 2; the group "Quinta B" holds card 2's name in two
// groupSlots (one written in another letter case and spacing) and card 1's in a third.
namespace PrivacyFixture {

inline const QString kNome = QStringLiteral("Verd\u00F9 Nicol\u00F2");
inline const QString kCodice = QStringLiteral("VRDNCL80A01H501U");
inline const QString kAltroNome = QStringLiteral("Bianchi Anna");
inline const QString kAltroCodice = QStringLiteral("BNCNNA85M41F205X");
inline const QString kGruppo = QStringLiteral("Quinta B");
constexpr int kPosizione = 2;
// Photo, its stale copy, one attachment, the export file, two slot photos and eight previews.
constexpr int kFileRimossi = 14;

using C = TSchedaAnagrafica;

inline TSchedaAnagrafica scheda(const QString& nome, const QString& codice, const QString& allegato1,
                                const QString& allegato2)
{
    TSchedaAnagrafica s;
    s.setTesto(C::Candidato, nome);
    s.setTesto(C::Sesso, QStringLiteral("M"));
    s.setTesto(C::CodFisc, codice);
    s.setTesto(C::Email, QStringLiteral("persona@esempio.it"));
    s.setTesto(C::Cel, QStringLiteral("333 1234567"));
    s.setTesto(C::Esperienze, QStringLiteral("Tenore"));
    s.setTesto(C::Note, QStringLiteral("Nota su ") + nome);
    s.setRicontatta(true);
    s.setTesto(C::File01, allegato1);
    s.setTesto(C::Desc01, QStringLiteral("Documento di ") + nome);
    s.setTesto(C::File02, allegato2);
    return s;
}

inline QImage foto(QColor colore)
{
    QImage image(120, 160, QImage::Format_RGB32);
    image.fill(colore);
    return image;
}

inline void append(const QString& path, int size, const QByteArray& record)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, size);
    archivio.Posiziona(archivio.NumeroSchede());
    archivio.ScriviScheda(record);
    archivio.ChiudiArchivio();
}

inline void riquadro(TSchedaGruppo& pagina, int slot, const QString& nome)
{
    pagina.setTesto(slot, TSchedaGruppo::Codice, QStringLiteral("E-mail: persona@esempio.it"));
    pagina.setTesto(slot, TSchedaGruppo::Nome, nome);
    pagina.setTesto(slot, TSchedaGruppo::UM, QStringLiteral("Tenore"));
    pagina.setTesto(slot, TSchedaGruppo::Caratteristiche, QStringLiteral("Nota su ") + nome);
    pagina.setTesto(slot, TSchedaGruppo::Prezzo, QStringLiteral("Cel. 333 1234567"));
}

// Builds the folder; programFolder ends with the separator.
inline void costruisci(const QString& folder)
{
    const QString registro = C::archivio(folder);
    append(registro, C::kSize, scheda(kAltroNome, kAltroCodice, QStringLiteral("anna.pdf"), {}).buffer());
    append(registro, C::kSize,
           scheda(kNome, kCodice, QStringLiteral("carta_identit\u00E0.pdf"), QStringLiteral("condiviso.txt"))
               .buffer());
    append(registro, C::kSize,
           scheda(QStringLiteral("Neri Carla"), QStringLiteral("NRICRL90A41H501Z"),
                  QStringLiteral("condiviso.txt"), {})
               .buffer());

    QVERIFY(QDir().mkpath(FotoScheda::cartella(folder)));
    for (int p = 1; p <= 3; ++p)
        QVERIFY(PhotoFiles::save(foto(QColor(40 * p, 80, 120)),
                                 FotoScheda::percorso(folder, QString::number(p))));
    // A copy left behind by a save that was stopped midway.
    TestFiles::writeAll(FotoScheda::percorso(folder, QStringLiteral("2")) + QStringLiteral(".Ab12Cd"),
                        kNome.toUtf8());

    const QString allegati = folder + QStringLiteral("Documenti_Allegati/");
    QVERIFY(QDir().mkpath(allegati));
    TestFiles::writeAll(allegati + QStringLiteral("anna.pdf"),
                        kAltroNome.toUtf8() + ' ' + kAltroCodice.toUtf8());
    TestFiles::writeAll(allegati + QStringLiteral("carta_identit\u00E0.pdf"),
                        QByteArrayLiteral("Carta di ") + kNome.toUtf8() + ' ' + kCodice.toUtf8());
    TestFiles::writeAll(allegati + QStringLiteral("condiviso.txt"), QByteArrayLiteral("modulo del coro"));

    const QString gruppo = GroupFiles::path(folder, kGruppo);
    QCOMPARE(GroupFiles::create(gruppo).result, GroupFiles::Outcome::Result::Done);
    TSchedaGruppo pagina1;
    riquadro(pagina1, 0, kAltroNome);
    riquadro(pagina1, 2, QStringLiteral("verd\u00F9  Nicol\u00F2"));
    TSchedaGruppo pagina2;
    riquadro(pagina2, 7, kNome);
    append(gruppo, TSchedaGruppo::kSize, pagina1.buffer());
    append(gruppo, TSchedaGruppo::kSize, pagina2.buffer());
    QCOMPARE(GroupFiles::create(GroupFiles::path(folder, QStringLiteral("Coro"))).result,
             GroupFiles::Outcome::Result::Done);
    QVERIFY(QDir().mkpath(FotoGruppo::cartella(folder)));
    QVERIFY(
        PhotoFiles::save(foto(Qt::red), FotoGruppo::fotoRiquadro(folder, kGruppo, 0, QStringLiteral("1"))));
    QVERIFY(
        PhotoFiles::save(foto(Qt::green), FotoGruppo::fotoRiquadro(folder, kGruppo, 2, QStringLiteral("1"))));
    QVERIFY(
        PhotoFiles::save(foto(Qt::blue), FotoGruppo::fotoRiquadro(folder, kGruppo, 7, QStringLiteral("2"))));
    for (int slot = 0; slot < TSchedaGruppo::kRiquadri; ++slot)
        QVERIFY(PhotoFiles::save(FotoGruppo::bianca(), FotoGruppo::anteprima(folder, kGruppo, slot)));

    // The registry export, Windows-1252, lists every card.
    TestFiles::writeAll(folder + QStringLiteral("Archivio_Anagrafico.xls"),
                        "<table><tr><td>" + kAltroNome.toLatin1() + "</td></tr><tr><td>" + kNome.toLatin1() +
                            "</td><td>" + kCodice.toLatin1() + "</td></tr></table>");
}

// The forms a text takes in the files the program writes: Windows-1252, UTF-8 and UTF-16,
// letter case of a..z ignored.
inline QList<QByteArray> forme(const QString& text)
{
    const QString lower = text.toLower();
    QByteArray utf16;
    for (const QChar c : lower) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
    }
    return {lower.toLatin1(), lower.toUtf8(), utf16};
}

// Files of the folder, anywhere below it, holding any form of one of the texts.
inline QStringList trovati(const QString& folder, const QStringList& texts)
{
    QList<QByteArray> cercate;
    for (const QString& text : texts)
        cercate.append(forme(text));
    QStringList result;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QByteArray bytes = TestFiles::readAll(path).toLower();
        for (const QByteArray& cercata : std::as_const(cercate)) {
            if (bytes.contains(cercata)) {
                result.append(QDir(folder).relativeFilePath(path));
                break;
            }
        }
    }
    return result;
}

// The pieces of the person's name and codice fiscale that must not be left anywhere.
inline QStringList tracce()
{
    return {QStringLiteral("Verd\u00F9"), QStringLiteral("Nicol\u00F2"), kCodice};
}

// Consents or other side data kept in a file per card: stands for the consents' own source.
class FileLaterale final : public PersonSideData {
public:
    static QString path(const QString& folder, int position)
    {
        return folder + QStringLiteral("Laterale_%1.txt").arg(position);
    }
    QList<File> exportFiles(const QString& folder, int position) const override
    {
        return {{QStringLiteral("Consensi/consenso.txt"), TestFiles::readAll(path(folder, position))}};
    }
    QStringList describe(const QString& folder, int position) const override
    {
        return QFile::exists(path(folder, position)) ? QStringList{QStringLiteral("i consensi")}
                                                     : QStringList{};
    }
    int erase(const QString& folder, int position) override
    {
        return QFile::remove(path(folder, position)) ? 1 : 0;
    }
};

} // namespace PrivacyFixture
