#include "app/HelpTopics.h"
#include "guide/GuideContent.h"
#include "guide/ScreenPictures.h"
#include "guide/UserGuide.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// The output of a poppler tool, or a skipped test when the tool is missing.
QString run(const QString& tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return {};
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(tool);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Text compared without spacing and hyphens: the PDF breaks lines where it likes, also after
// the hyphen of "e-mail", and pdftotext joins such a line end into "email".
QString withoutSpaces(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("[\\s-]+")));
}

QString builtGuide()
{
    return QStringLiteral(FOLVARA_BUILD_FOLDER "/src/Guida.pdf");
}

// Every top-level screen class of the program, read from its headers: the classes that derive,
// directly or through a base of their own, from MainScreen or QDialog, less those bases.
QStringList screenClasses()
{
    static const QRegularExpression declaration(
        QStringLiteral(R"(\bclass\s+(\w+)\s*(?:final\s*)?:\s*public\s+(\w+))"));
    QHash<QString, QString> baseOf;
    QDirIterator files(QStringLiteral(FOLVARA_SOURCE_FOLDER), {QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString text = QString::fromUtf8(TestFiles::readAll(files.next()));
        for (auto it = declaration.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            baseOf.insert(match.captured(1), match.captured(2));
        }
    }
    const QSet<QString> bases(baseOf.cbegin(), baseOf.cend());
    QStringList screens;
    for (auto it = baseOf.cbegin(); it != baseOf.cend(); ++it) {
        QString base = it.value();
        bool screen = false;
        for (int depth = 0; depth < 6 && !screen; ++depth) {
            screen = base == QLatin1String("QDialog") || base == QLatin1String("MainScreen");
            if (!baseOf.contains(base))
                break;
            base = baseOf.value(base);
        }
        if (screen && !bases.contains(it.key()))
            screens.append(it.key());
    }
    screens.sort();
    return screens;
}

// The chapter's paragraphs and steps as one text.
QString chapterText(const QString& title)
{
    for (const GuideChapter& chapter : GuideContent::chapters()) {
        if (chapter.title == title)
            return (chapter.paragraphs + chapter.steps).join(u' ');
    }
    return {};
}

QString wholeText()
{
    QString text;
    for (const GuideChapter& chapter : GuideContent::chapters())
        text += (chapter.paragraphs + chapter.steps).join(u' ') + u' ';
    return text;
}

} // namespace

class TestGuide : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void guideIsA4AndHoldsEveryHelpTextOnce();
    void contentsPageGivesEachChapterItsPage();
    void walkthroughIsNumbered();
    void everyImageButtonOnOnePage();
    void everyChapterShowsItsScreens();
    void everyScreenHasItsChapterAndPicture();
    void legendNamesEachButtonAsItsHintDoes();
    void chaptersSayWhatTheScreensDo_data();
    void chaptersSayWhatTheScreensDo();
    void textLayerIsPlainAndOnThePage();
    void unwritablePlaceIsReported();
    void stagingReplacesTheGuideAndKeepsTheData();

private:
    QTemporaryDir m_dir;
    QString m_guide;
    ScreenMaterial m_material;
};

void TestGuide::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("poppler-utils (pdftotext, pdfinfo) are needed to read the guide");
    m_guide = m_dir.filePath(QStringLiteral("Guida.pdf"));
    QString error;
    m_material = ScreenPictures::take();
    QVERIFY2(UserGuide(m_material).write(m_guide, &error), qPrintable(error));
}

void TestGuide::guideIsA4AndHoldsEveryHelpTextOnce()
{
    // The guide this test writes and the one the build wrote are the same document.
    for (const QString& guide : {m_guide, builtGuide()}) {
        QVERIFY2(QFileInfo::exists(guide), qPrintable(guide));
        QVERIFY(TestFiles::readAll(guide).startsWith("%PDF"));
        const QString info = run(QStringLiteral("pdfinfo"), {guide});
        QVERIFY2(
            info.contains(
                QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 841\\.89 pts \\(A4\\)"))) ||
                info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595 x 842 pts \\(A4\\)"))),
            qPrintable(info));
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        QVERIFY(pages.hasMatch());
        // Title page, contents and at least one page per chapter.
        QVERIFY(pages.captured(1).toInt() >= 2 + int(UserGuide::chapterHeadings().size()));

        const QString text = withoutSpaces(run(QStringLiteral("pdftotext"), {guide, QStringLiteral("-")}));
        QVERIFY(text.contains(withoutSpaces(QStringLiteral("Guida all'utilizzo del software"))));
        QVERIFY(text.contains(QStringLiteral("Indice")));
        // Every help text of the program, and not twice: the overview does not repeat the chapters.
        for (const HelpTopics::Topic topic : HelpTopics::all()) {
            for (const QString& paragraph : HelpTopics::paragraphs(topic))
                QVERIFY2(text.count(withoutSpaces(paragraph)) == 1, qPrintable(paragraph));
        }
    }
}

void TestGuide::contentsPageGivesEachChapterItsPage()
{
    const QString contents = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("2"),
                                  QStringLiteral("-l"), QStringLiteral("2"), m_guide, QStringLiteral("-")});
    const QStringList headings = UserGuide::chapterHeadings();
    QCOMPARE(headings.size(), GuideContent::chapters().size());
    int previous = 2;
    for (const QString& heading : headings) {
        const QRegularExpression line(QRegularExpression::escape(heading) + QStringLiteral("\\s+(\\d+)\\s*$"),
                                      QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = line.match(contents);
        QVERIFY2(match.hasMatch(), qPrintable(heading + QStringLiteral("\n") + contents));
        const int page = match.captured(1).toInt();
        QVERIFY(page > previous);
        previous = page;
        // The chapter starts on the page the contents give, at its top.
        const QString pageText = run(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                      QString::number(page), m_guide, QStringLiteral("-")});
        QVERIFY2(withoutSpaces(pageText).startsWith(withoutSpaces(heading)), qPrintable(heading));
    }
}

void TestGuide::walkthroughIsNumbered()
{
    const QString text = withoutSpaces(run(QStringLiteral("pdftotext"), {m_guide, QStringLiteral("-")}));
    const QList<GuideChapter> chapters = GuideContent::chapters();
    const auto first = std::find_if(chapters.cbegin(), chapters.cend(),
                                    [](const GuideChapter& chapter) { return !chapter.steps.isEmpty(); });
    QVERIFY(first != chapters.cend());
    QVERIFY(first->steps.size() >= 7);
    qsizetype at = 0;
    for (qsizetype i = 0; i < first->steps.size(); ++i) {
        const qsizetype found =
            text.indexOf(withoutSpaces(QStringLiteral("%1.%2").arg(i + 1).arg(first->steps.at(i))), at);
        QVERIFY2(found > at, qPrintable(first->steps.at(i)));
        at = found;
    }
    // The walkthrough says where the password is changed.
    QVERIFY(first->steps.join(u' ').contains(QStringLiteral("Cambia password")));
}

void TestGuide::everyImageButtonOnOnePage()
{
    QVERIFY(m_material.buttons.size() >= 20);
    QStringList headings = UserGuide::chapterHeadings();
    const QList<GuideChapter> chapters = GuideContent::chapters();
    qsizetype legend = -1;
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        if (chapters.at(i).buttonLegend)
            legend = i;
    }
    QVERIFY(legend >= 0);
    const QString contents = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("2"),
                                  QStringLiteral("-l"), QStringLiteral("2"), m_guide, QStringLiteral("-")});
    const QRegularExpressionMatch match =
        QRegularExpression(QRegularExpression::escape(headings.at(legend)) + QStringLiteral("\\s+(\\d+)"))
            .match(contents);
    QVERIFY(match.hasMatch());
    const QString page = match.captured(1);
    const QString text =
        withoutSpaces(run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), page, QStringLiteral("-l"),
                                                        page, m_guide, QStringLiteral("-")}));
    QSet<QString> names;
    qsizetype pictures = 0;
    for (const ButtonPicture& button : m_material.buttons) {
        pictures += button.images.size();
        QVERIFY(!button.images.isEmpty() && !button.images.first().isNull());
        QVERIFY2(!button.name.isEmpty() && !button.action.isEmpty(), qPrintable(button.name));
        QVERIFY2(text.contains(withoutSpaces(button.name)), qPrintable(button.name));
        QVERIFY2(text.contains(withoutSpaces(button.action)), qPrintable(button.action));
        names.insert(button.name);
    }
    // Each picture once: as many pictures on the page as buttons.
    const QStringList images =
        run(QStringLiteral("pdfimages"),
            {QStringLiteral("-list"), QStringLiteral("-f"), page, QStringLiteral("-l"), page, m_guide})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(images.size() - 2 >= pictures);
    QVERIFY(names.contains(QStringLiteral("Nuovo")) && names.contains(QStringLiteral("Salva")));
}

void TestGuide::everyChapterShowsItsScreens()
{
    QSet<QString> shown;
    for (const ScreenPicture& picture : m_material.screens) {
        QVERIFY(!picture.caption.isEmpty());
        // A real screen, not a blank: many colours.
        QSet<QRgb> colours;
        for (int y = 0; y < picture.image.height(); y += 7)
            for (int x = 0; x < picture.image.width(); x += 7)
                colours.insert(picture.image.pixel(x, y));
        QVERIFY2(colours.size() > 20, qPrintable(picture.caption));
        shown.insert(picture.screen);
    }
    for (const char* screen :
         {"TfrmCreaCatalogo", "TfrmApriCatalogo", "TfrmAllegaCartella", "TfrmWebCam", "TfrmTrovaCandidati",
          "TfrmExpCandidati", "TfrmImporta", "TfrmPassword", "TfrmCambiaPassword"})
        QVERIFY2(shown.contains(QLatin1String(screen)), screen);
    const QString text = withoutSpaces(run(QStringLiteral("pdftotext"), {m_guide, QStringLiteral("-")}));
    for (const GuideChapter& chapter : GuideContent::chapters()) {
        for (const QString& screen : chapter.screens) {
            QVERIFY2(shown.contains(screen), qPrintable(screen));
            for (const ScreenPicture& picture : m_material.screens) {
                if (picture.screen == screen)
                    QVERIFY2(text.contains(withoutSpaces(QStringLiteral("Figura: ") + picture.caption)),
                             qPrintable(picture.caption));
            }
        }
    }
}

void TestGuide::everyScreenHasItsChapterAndPicture()
{
    const QStringList screens = screenClasses();
    // The list is read from the sources: a few known screens show that the reading works.
    for (const char* known :
         {"TfrmAvvio", "TfrmPassword", "TfrmCandidati", "TfrmRitaglio", "TfrmConsensi", "TfrmCancellaPersona",
          "TfrmFotoCartella", "TfrmVerificaCondivisione", "TfrmStampaProdotto", "PreviewWindow"})
        QVERIFY2(screens.contains(QLatin1String(known)), qPrintable(screens.join(u' ')));
    QVERIFY(!screens.contains(QStringLiteral("SecondaryScreen")) &&
            !screens.contains(QStringLiteral("DocumentScreen")));
    QVERIFY(screens.size() >= 30);

    const QString text = withoutSpaces(run(QStringLiteral("pdftotext"), {m_guide, QStringLiteral("-")}));
    for (const QString& screen : screens) {
        bool inChapter = false;
        for (const GuideChapter& chapter : GuideContent::chapters())
            inChapter = inChapter || chapter.screens.contains(screen);
        QVERIFY2(inChapter, qPrintable(screen + QStringLiteral(": no chapter shows it")));
        const auto picture = std::find_if(m_material.screens.cbegin(), m_material.screens.cend(),
                                          [&screen](const ScreenPicture& p) { return p.screen == screen; });
        QVERIFY2(picture != m_material.screens.cend(), qPrintable(screen + QStringLiteral(": no picture")));
        QVERIFY2(text.contains(withoutSpaces(QStringLiteral("Figura: ") + picture->caption)),
                 qPrintable(screen));
    }
}

void TestGuide::legendNamesEachButtonAsItsHintDoes()
{
    QSet<QString> names;
    for (const ButtonPicture& button : m_material.buttons) {
        QVERIFY2(!names.contains(button.name), qPrintable(button.name + QStringLiteral(" twice")));
        names.insert(button.name);
        QVERIFY(!button.images.isEmpty() && button.images.size() <= 2);
        QVERIFY(!button.hints.isEmpty() && button.hints.contains(button.action));
        for (const QString& hint : button.hints)
            QVERIFY2(ScreenPictures::nameFitsHint(button.name, hint),
                     qPrintable(button.name + QStringLiteral(": ") + hint));
    }
    // The keys of the frequent commands are in the legend.
    QStringList keys;
    for (const ButtonPicture& button : m_material.buttons)
        keys.append(button.keys);
    for (const char* key : {"Ctrl+S", "Ctrl+N", "Ctrl+P", "Ctrl+F"})
        QVERIFY2(keys.contains(QLatin1String(key)), key);
    // The telephone button, the partita IVA check and the help and exit buttons of every screen.
    for (const char* name : {"Da ricontattare", "Controlla partita IVA", "Controlla codice fiscale",
                             "Scadenze", "Guida", "Esci", "Importa foto da cartella", "Consensi"})
        QVERIFY2(names.contains(QLatin1String(name)), name);
    QVERIFY(ScreenPictures::nameFitsHint(QStringLiteral("Prima scheda"),
                                         QStringLiteral("Visualizza la prima scheda.")));
    QVERIFY(!ScreenPictures::nameFitsHint(
        QStringLiteral("Scadenze"),
        QStringLiteral("Visualizza il riepilogo delle persone da ricontattare.")));
}

void TestGuide::chaptersSayWhatTheScreensDo_data()
{
    QTest::addColumn<QString>("chapter"); // empty: the whole guide
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<QStringList>("notSaid");
    QTest::newRow("open group starts with opening")
        << "Apri gruppo esistente" << QStringList{"Apri archivio"} << QStringList{"Applica e chiudi"};
    QTest::newRow("new group confirms")
        << "Crea nuovo gruppo" << QStringList{"Applica e chiudi"} << QStringList{};
    QTest::newRow("group page print opens a window")
        << "App Schedario Gruppo" << QStringList{"apre la finestra di stampa", "tutte e cinque le caselle"}
        << QStringList{"stampa direttamente"};
    QTest::newRow("launcher backups") << "La schermata di avvio" << QStringList{"Backup", "zip"}
                                      << QStringList{"copiare l'intera cartella"};
    QTest::newRow("overview backups") << "Uno sguardo a Folvara" << QStringList{"pulsante Backup"}
                                      << QStringList{"Copiare la cartella è anche"};
    QTest::newRow("export formats") << "Esportazione dell'archivio anagrafico (XLS, XLSX, ODS)"
                                    << QStringList{".xls", ".xlsx", ".ods"} << QStringList{};
    QTest::newRow("zoom said once") << "App Archivio Anagrafico" << QStringList{"grande quanto lo schermo"}
                                    << QStringList{"tutto schermo", "Ritaglia\" nel menu"};
    QTest::newRow("crop window") << "Ritaglia foto"
                                 << QStringList{"Conferma", "Annulla", "rotellina", "Ritaglia foto"}
                                 << QStringList{};
    QTest::newRow("consents") << "Consensi" << QStringList{"Stampa modulo", "Modulo consenso.txt", "sagoma"}
                              << QStringList{};
    QTest::newRow("privacy") << "Privacy: i dati della persona e la cancellazione"
                             << QStringList{"Esporta dati della persona", "Cancella persona",
                                            "Cancellazioni.log"}
                             << QStringList{};
    QTest::newRow("folder import") << "Importa foto da cartella" << QStringList{"codice fiscale", "Applica"}
                                   << QStringList{};
    QTest::newRow("share check") << "Verifica condivisione: più postazioni in rete"
                                 << QStringList{"Tieni il blocco di prova",
                                                "cache=loose",
                                                "cache=singleclient",
                                                "nolock",
                                                "vers=3.1.1",
                                                ".blocco"}
                                 << QStringList{};
    QTest::newRow("expiry dates that fit") << "Scadenze dei documenti e compleanni"
                                           << QStringList{"10 caratteri", "03/05/2027"} << QStringList{};
    QTest::newRow("backup folder") << "Backup e ripristino dei dati" << QStringList{"Folvara_backup", "crea"}
                                   << QStringList{};
    QTest::newRow("whole guide") << "" << QStringList{"Salva PDF"}
                                 << QStringList{"basta copiare", "stampa direttamente"};
}

void TestGuide::chaptersSayWhatTheScreensDo()
{
    QFETCH(QString, chapter);
    QFETCH(QStringList, said);
    QFETCH(QStringList, notSaid);
    const QString text = chapter.isEmpty() ? wholeText() : chapterText(chapter);
    QVERIFY2(!text.isEmpty(), qPrintable(chapter));
    for (const QString& words : said)
        QVERIFY2(text.contains(words), qPrintable(words));
    for (const QString& words : notSaid)
        QVERIFY2(!text.contains(words, Qt::CaseInsensitive), qPrintable(words));
}

void TestGuide::textLayerIsPlainAndOnThePage()
{
    const QString raw =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), m_guide, QStringLiteral("-")});
    QVERIFY(!raw.contains(QLatin1Char('\t')));
    for (const QChar ligature : {QChar(0xFB00), QChar(0xFB01), QChar(0xFB02)})
        QVERIFY(!raw.contains(ligature));
    QVERIFY(raw.contains(QStringLiteral("archivio anagrafico")));
    // No hidden text beyond the page's edges, where a line of the page before would hide.
    const QString boxes =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), m_guide, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">)re"));
    int words = 0;
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        ++words;
        QVERIFY2(m.captured(2).toDouble() >= 0 && m.captured(4).toDouble() <= 842, qPrintable(m.captured(0)));
    }
    QVERIFY(words > 1000);
}

void TestGuide::unwritablePlaceIsReported()
{
    const QString path = m_dir.filePath(QStringLiteral("manca/Guida.pdf"));
    QString error;
    QVERIFY(!UserGuide().write(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(path));
}

void TestGuide::stagingReplacesTheGuideAndKeepsTheData()
{
    if (!QFileInfo::exists(QStringLiteral("/usr/share/qt6/translations/qtbase_it.qm")))
        QSKIP("Qt's Italian translation is not installed");
    QTemporaryDir stage;
    const QDir folder(stage.path());
    TestFiles::writeAll(folder.filePath(QStringLiteral("Guida.pdf")), "an older guide");
    QFile::setPermissions(folder.filePath(QStringLiteral("Guida.pdf")), QFileDevice::ReadOwner);
    TestFiles::writeAll(folder.filePath(QStringLiteral("Archivio_Anagrafico.fvd")), "the user's cards");
    TestFiles::writeAll(folder.filePath(QStringLiteral("unins000.dll")), "[Accesso]\nValore=00\n");

    for (int staging = 0; staging < 2; ++staging) {
        QProcess process;
        process.start(QStringLiteral("bash"), {QStringLiteral(FOLVARA_STAGE_SCRIPT),
                                               QStringLiteral(FOLVARA_BUILD_FOLDER), stage.path()});
        QVERIFY(process.waitForFinished(120000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        QCOMPARE(TestFiles::readAll(folder.filePath(QStringLiteral("Guida.pdf"))),
                 TestFiles::readAll(builtGuide()));
        QVERIFY(QFileInfo(folder.filePath(QStringLiteral("Folvara"))).isExecutable());
        QCOMPARE(TestFiles::readAll(folder.filePath(QStringLiteral("Archivio_Anagrafico.fvd"))),
                 QByteArray("the user's cards"));
        QCOMPARE(TestFiles::readAll(folder.filePath(QStringLiteral("unins000.dll"))),
                 QByteArray("[Accesso]\nValore=00\n"));
    }
}

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"
