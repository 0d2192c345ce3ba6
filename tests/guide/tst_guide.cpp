#include "app/HelpTopics.h"
#include "guide/ScreenPictures.h"
#include "guide/UserGuide.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

class TestGuide : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void guideIsA4AndHoldsEveryTopic();
    void contentsPageGivesEachChapterItsPage();
    void screenPicturesAreDrawn();
    void unwritablePlaceIsReported();
    void stagingReplacesTheGuideAndKeepsTheData();

private:
    QTemporaryDir m_dir;
    QString m_guide;
};

void TestGuide::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("poppler-utils (pdftotext, pdfinfo) are needed to read the guide");
    m_guide = m_dir.filePath(QStringLiteral("Guida.pdf"));
    QString error;
    QVERIFY2(UserGuide(ScreenPictures::take()).write(m_guide, &error), qPrintable(error));
}

void TestGuide::guideIsA4AndHoldsEveryTopic()
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
        QVERIFY(pages.captured(1).toInt() >= 2 + int(HelpTopics::all().size()));

        const QString text = withoutSpaces(run(QStringLiteral("pdftotext"), {guide, QStringLiteral("-")}));
        QVERIFY(text.contains(withoutSpaces(QStringLiteral("Guida all'utilizzo del software"))));
        QVERIFY(text.contains(QStringLiteral("Indice")));
        for (const HelpTopics::Topic topic : HelpTopics::all()) {
            QVERIFY2(text.contains(withoutSpaces(HelpTopics::title(topic))),
                     qPrintable(HelpTopics::title(topic)));
            for (const QString& paragraph : HelpTopics::paragraphs(topic))
                QVERIFY2(text.contains(withoutSpaces(paragraph)), qPrintable(paragraph));
        }
    }
}

void TestGuide::contentsPageGivesEachChapterItsPage()
{
    const QString contents = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("2"),
                                  QStringLiteral("-l"), QStringLiteral("2"), m_guide, QStringLiteral("-")});
    const QStringList headings = UserGuide::chapterHeadings();
    QCOMPARE(headings.size(), HelpTopics::all().size());
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

void TestGuide::screenPicturesAreDrawn()
{
    const QList<GuidePicture> pictures = ScreenPictures::take();
    QList<HelpTopics::Topic> chapters;
    for (const GuidePicture& picture : pictures) {
        QVERIFY(!picture.image.isNull());
        QVERIFY(!picture.caption.isEmpty());
        // A real screen, not a blank: many colours.
        QSet<QRgb> colours;
        for (int y = 0; y < picture.image.height(); y += 7)
            for (int x = 0; x < picture.image.width(); x += 7)
                colours.insert(picture.image.pixel(x, y));
        QVERIFY2(colours.size() > 50, qPrintable(picture.caption));
        chapters.append(picture.chapter);
    }
    QVERIFY(chapters.contains(HelpTopics::Topic::Panoramica));
    QVERIFY(chapters.contains(HelpTopics::Topic::ArchivioAnagrafico));
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
