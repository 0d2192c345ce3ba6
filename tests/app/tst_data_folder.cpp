// Where the data is kept: beside the executable, in a remembered data folder, or where the user says.
#include "access/AccessCheck.h"
#include "access/PasswordStore.h"
#include "app/DataFolder.h"
#include "app/DataFolderAsker.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Answers the start-up's questions from a list and records them.
class ListAsker final : public DataFolder::Asker {
public:
    QString where(const QString& proposed, const QString& reason) override
    {
        proposals.append(proposed);
        reasons.append(reason);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    void refuse(const QString& message) override { refusals.append(message); }

    QStringList answers;
    QStringList proposals;
    QStringList reasons;
    QStringList refusals;
};

} // namespace

class TestDataFolder : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void decide_data();
    void decide();
    void passwordFileGoesToAFreshDataFolder();
    void passwordFileIsNotAddedBesideAnArchive();
    void askerProposesTheFolderAndOffersTheDialog();
    void installedGuideIsFoundBesideTheExecutable();
    void installedLayout_data();
    void installedLayout();

private:
    QString path(const QString& token) const;
    // A folder no file can be made in: without write permission, or one of /proc when running as
    // root (root writes everywhere else).
    QString unwritableFolder();
    static void putArchive(const QString& folder)
    {
        QDir().mkpath(folder);
        QFile file(QDir(folder).filePath(QStringLiteral("Archivio_Anagrafico.fvd")));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_unwritable;
};

void TestDataFolder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_unwritable.clear();
}

void TestDataFolder::cleanup()
{
    if (!m_unwritable.isEmpty() && m_unwritable.startsWith(m_dir->path()))
        QFile::setPermissions(m_unwritable, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_dir.reset();
}

QString TestDataFolder::unwritableFolder()
{
    if (m_unwritable.isEmpty()) {
        m_unwritable = m_dir->filePath(QStringLiteral("chiusa"));
        QDir().mkpath(m_unwritable);
        QFile::setPermissions(m_unwritable, QFile::ReadOwner | QFile::ExeOwner);
        if (DataFolder::unusableReason(m_unwritable).isEmpty())
            m_unwritable = QStringLiteral("/proc/1");
    }
    return m_unwritable;
}

// The folders of a case by name.
QString TestDataFolder::path(const QString& token) const
{
    if (token == QLatin1String("unwritable"))
        return const_cast<TestDataFolder*>(this)->unwritableFolder();
    if (token == QLatin1String("proposed"))
        return m_dir->filePath(QStringLiteral("Documenti/Folvara"));
    if (token.isEmpty())
        return QString();
    return m_dir->filePath(token);
}

void TestDataFolder::decide_data()
{
    QTest::addColumn<QString>("program");     // program, or unwritable
    QTest::addColumn<bool>("archive");        // an archive beside the executable
    QTest::addColumn<bool>("installed");      // in the installation's own folder
    QTest::addColumn<QString>("environment"); // FOLVARA_HOME
    QTest::addColumn<QString>("remembered");  // in the user's settings
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("expected"); // the folder used; empty: none
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("reason"); // in the first question
    QTest::addColumn<int>("refusals");
    QTest::addColumn<QString>("remembers"); // in the settings afterwards

    const auto programFolder = int(DataFolder::Source::ProgramFolder);
    const auto chosen = int(DataFolder::Source::Chosen);
    const auto remembered = int(DataFolder::Source::Remembered);
    const auto environment = int(DataFolder::Source::Environment);
    // clang-format off
    QTest::newRow("portable folder with archives")
        << "program" << true << false << "" << "" << QStringList() << programFolder << "program" << 0 << "" << 0 << "";
    QTest::newRow("portable folder with archives, installed")
        << "program" << true << true << "" << "" << QStringList() << programFolder << "program" << 0 << "" << 0 << "";
    QTest::newRow("read-only folder with archives (shared drive)")
        << "unwritable" << true << false << "" << "" << QStringList() << programFolder << "unwritable" << 0 << "" << 0 << "";
    QTest::newRow("writable empty program folder")
        << "program" << false << false << "" << "" << QStringList() << programFolder << "program" << 0 << "" << 0 << "";
    QTest::newRow("read-only program folder, first start, proposal taken")
        << "unwritable" << false << false << "" << "" << QStringList{"proposed"} << chosen << "proposed" << 1 << "" << 0 << "proposed";
    QTest::newRow("installed writable folder asks all the same")
        << "program" << false << true << "" << "" << QStringList{"altra"} << chosen << "altra" << 1 << "" << 0 << "altra";
    QTest::newRow("read-only program folder, remembered folder")
        << "unwritable" << false << false << "" << "dati" << QStringList() << remembered << "dati" << 0 << "" << 0 << "dati";
    QTest::newRow("remembered folder is gone")
        << "unwritable" << false << false << "" << "sparita" << QStringList{"proposed"} << chosen << "proposed" << 1 << "non c'è più" << 0 << "proposed";
    QTest::newRow("remembered folder without write permission")
        << "unwritable" << false << false << "" << "unwritable" << QStringList{"altra"} << chosen << "altra" << 1 << "non si può usare" << 0 << "altra";
    QTest::newRow("chosen folder without write permission, then another")
        << "unwritable" << false << false << "" << "" << QStringList{"unwritable", "altra"} << chosen << "altra" << 2 << "" << 1 << "altra";
    QTest::newRow("first start cancelled")
        << "unwritable" << false << false << "" << "" << QStringList() << chosen << "" << 1 << "" << 0 << "";
    QTest::newRow("FOLVARA_HOME overrides a portable folder")
        << "program" << true << false << "casa" << "dati" << QStringList() << environment << "casa" << 0 << "" << 0 << "dati";
    QTest::newRow("FOLVARA_HOME overrides an installed program")
        << "unwritable" << false << true << "casa" << "" << QStringList() << environment << "casa" << 0 << "" << 0 << "";
    QTest::newRow("FOLVARA_HOME without write permission")
        << "program" << false << false << "unwritable" << "" << QStringList() << environment << "" << 0 << "" << 0 << "";
    // clang-format on
}

void TestDataFolder::decide()
{
    QFETCH(QString, program);
    QFETCH(bool, archive);
    QFETCH(bool, installed);
    QFETCH(QString, environment);
    QFETCH(QString, remembered);
    QFETCH(QStringList, answers);
    QFETCH(int, source);
    QFETCH(QString, expected);
    QFETCH(int, questions);
    QFETCH(QString, reason);
    QFETCH(int, refusals);
    QFETCH(QString, remembers);

    const QString programFolder = path(program);
    QDir().mkpath(programFolder);
    if (archive) {
        if (program == QLatin1String("unwritable") && programFolder.startsWith(QLatin1String("/proc")))
            QSKIP("/proc holds no archive");
        QFile::setPermissions(programFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        putArchive(programFolder);
        if (program == QLatin1String("unwritable"))
            QFile::setPermissions(programFolder, QFile::ReadOwner | QFile::ExeOwner);
    }
    QDir().mkpath(path(QStringLiteral("dati")));
    QSettings settings(m_dir->filePath(QStringLiteral("Folvara.conf")), QSettings::IniFormat);
    if (!remembered.isEmpty())
        DataFolder::remember(settings, path(remembered));
    ListAsker asker;
    for (const QString& answer : answers)
        asker.answers.append(path(answer));

    const DataFolder::Start start{programFolder + QLatin1Char('/'), path(environment),
                                  m_dir->filePath(QStringLiteral("Documenti")), installed};
    const DataFolder::Choice choice = DataFolder::decide(start, settings, asker);

    QCOMPARE(int(choice.source), source);
    QCOMPARE(choice.folder, expected.isEmpty() ? QString() : DataFolder::normalised(path(expected)));
    QCOMPARE(choice.error.isEmpty(), !expected.isEmpty());
    if (!expected.isEmpty() && program != QLatin1String("unwritable"))
        QVERIFY(DataFolder::unusableReason(choice.folder).isEmpty());
    QCOMPARE(asker.proposals.size(), questions);
    for (const QString& proposal : asker.proposals.mid(0, 1))
        QCOMPARE(proposal, path(QStringLiteral("proposed")));
    if (questions > 0)
        QVERIFY2(reason.isEmpty() ? asker.reasons.first().isEmpty() : asker.reasons.first().contains(reason),
                 qPrintable(asker.reasons.first()));
    QCOMPARE(asker.refusals.size(), refusals);
    for (const QString& refusal : asker.refusals) {
        // The folder is named with the reason, and the next question repeats it.
        QVERIFY2(refusal.contains(QDir::toNativeSeparators(path(QStringLiteral("unwritable")))),
                 qPrintable(refusal));
        QVERIFY(refusal.contains(QStringLiteral("non si può usare: ")));
        QCOMPARE(asker.reasons.at(1), refusal);
    }
    if (source == int(DataFolder::Source::Environment) && expected.isEmpty())
        QVERIFY2(choice.error.contains(QDir::toNativeSeparators(path(environment))),
                 qPrintable(choice.error));
    QCOMPARE(DataFolder::remembered(settings),
             remembers.isEmpty() ? QString() : QDir::cleanPath(path(remembers)));
}

void TestDataFolder::passwordFileGoesToAFreshDataFolder()
{
    const QString folder = DataFolder::normalised(m_dir->filePath(QStringLiteral("Documenti/Folvara")));
    QVERIFY(DataFolder::unusableReason(folder).isEmpty());
    QCOMPARE(DataFolder::prepare(folder), QString());
    const PasswordStore store(folder);
    QVERIFY(QFile::exists(store.path()));
    QVERIFY(AccessCheck::accepts(store, QStringLiteral("benvenuto")));
    // Never replaced once there.
    QVERIFY(AccessCheck::change(store, QStringLiteral("BENVENUTO"), QStringLiteral("CORO"),
                                QStringLiteral("CORO")) == AccessCheck::Change::Done);
    QCOMPARE(DataFolder::prepare(folder), QString());
    QVERIFY(AccessCheck::accepts(store, QStringLiteral("coro")));
}

void TestDataFolder::passwordFileIsNotAddedBesideAnArchive()
{
    const QString folder = DataFolder::normalised(m_dir->filePath(QStringLiteral("condivisa")));
    putArchive(folder);
    QCOMPARE(DataFolder::prepare(folder), QString());
    QVERIFY(!QFile::exists(PasswordStore(folder).path()));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"Archivio_Anagrafico.fvd"});
}

void TestDataFolder::askerProposesTheFolderAndOffersTheDialog()
{
    TestEnvironment env;
    DataFolderAsker asker(env.context);
    const QString proposed = m_dir->filePath(QStringLiteral("Documenti/Folvara"));
    // Sì takes the proposal.
    env.messages.nextChoices = {MessageBoxes::Answer::Yes};
    QCOMPARE(asker.where(proposed, QString()), proposed);
    QVERIFY(env.messages.lastText().startsWith(QStringLiteral("Dove tenere l'archivio di Folvara?")));
    QVERIFY(env.messages.lastText().contains(QDir::toNativeSeparators(proposed)));
    // No opens the folder dialog; a cancelled dialog asks again, Annulla gives up.
    env.messages.clear();
    env.messages.nextChoices = {MessageBoxes::Answer::No, MessageBoxes::Answer::No,
                                MessageBoxes::Answer::Cancel};
    env.fileDialogs.nextNames = {QString()};
    QCOMPARE(asker.where(proposed, QStringLiteral("La cartella dei dati X non c'è più.")), QString());
    QCOMPARE(env.messages.shown.size(), 3);
    QVERIFY(
        env.messages.shown.first().text.startsWith(QStringLiteral("La cartella dei dati X non c'è più.")));
    QCOMPARE(env.fileDialogs.requests.size(), 2);
    QCOMPARE(env.fileDialogs.requests.first().title, QStringLiteral("Dove tenere l'archivio di Folvara?"));
    // A refusal is an error box.
    asker.refuse(QStringLiteral("La cartella dei dati Y non si può usare: permesso negato."));
    QCOMPARE(env.messages.shown.last().kind, MessageKind::Error);
}

void TestDataFolder::installedGuideIsFoundBesideTheExecutable()
{
    const QString data = m_dir->filePath(QStringLiteral("dati/"));
    const QString bin = m_dir->filePath(QStringLiteral("usr/bin"));
    const QString guide = QStringLiteral("Guida.pdf");
    QDir().mkpath(data);
    QDir().mkpath(bin);
    // Neither: the data folder's name, as the program folder always gave it.
    QCOMPARE(DataFolder::guide(data, bin, guide), data + guide);
    const QString installed = m_dir->filePath(QStringLiteral("usr/share/doc/folvara/Guida.pdf"));
    QDir().mkpath(QFileInfo(installed).absolutePath());
    QFile(installed).open(QIODevice::WriteOnly);
    QCOMPARE(DataFolder::guide(data, bin, guide), installed);
    // A program folder's own guide comes first.
    QFile(data + guide).open(QIODevice::WriteOnly);
    QCOMPARE(DataFolder::guide(data, bin, guide), data + guide);
}

void TestDataFolder::installedLayout_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QStringList>("folders"); // made before the check
    QTest::addColumn<QString>("bindir");
    QTest::addColumn<bool>("installed");
    QTest::newRow("the installation's bindir") << "opt/bin" << QStringList{"opt/bin"} << "opt/bin" << true;
    QTest::newRow("bin beside share/doc/folvara")
        << "radice/usr/bin" << QStringList{"radice/usr/bin", "radice/usr/share/doc/folvara"} << "usr/bin"
        << true;
    QTest::newRow("bin without the documentation")
        << "radice/usr/bin" << QStringList{"radice/usr/bin"} << "usr/bin" << false;
    QTest::newRow("a copied program folder")
        << "Folvara" << QStringList{"Folvara", "share/doc/folvara"} << "usr/bin" << false;
}

void TestDataFolder::installedLayout()
{
    QFETCH(QString, executable);
    QFETCH(QStringList, folders);
    QFETCH(QString, bindir);
    QFETCH(bool, installed);
    for (const QString& folder : folders)
        QVERIFY(QDir().mkpath(m_dir->filePath(folder)));
    QCOMPARE(
        DataFolder::installedLayout(m_dir->filePath(executable) + QLatin1Char('/'), m_dir->filePath(bindir)),
        installed);
}

QTEST_MAIN(TestDataFolder)
#include "tst_data_folder.moc"
