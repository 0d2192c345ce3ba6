// The information screen: the version of the build and the data folder.
#include "app/DataFolder.h"
#include "app/Info.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

class TestInfo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        qunsetenv("FOLVARA_HOME");
        m_env = std::make_unique<TestEnvironment>();
        settings().remove(QStringLiteral("CartellaDati"));
    }
    void cleanup()
    {
        settings().remove(QStringLiteral("CartellaDati"));
        m_env.reset();
    }

    void versionComesFromTheProject();
    void dataFolderIsChangedForTheNextStart();
    void dataFolderBesideTheProgramIsOnlyShown();

private:
    static QSettings& settings()
    {
        static QSettings user(QStringLiteral("Folvara"), QStringLiteral("Folvara"));
        user.sync();
        return user;
    }
    void clicCartella(TfrmInfo& info)
    {
        auto* button = info.findChild<QPushButton*>(QStringLiteral("btnCartellaDati"));
        QVERIFY(button);
        QCOMPARE(button->toolTip(), QDir::toNativeSeparators(QDir::cleanPath(m_env->folder())));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    std::unique_ptr<TestEnvironment> m_env;
};

void TestInfo::versionComesFromTheProject()
{
    TfrmInfo info(m_env->context, nullptr);
    const QString expected = QStringLiteral("versione " FOLVARA_PROJECT_VERSION);
    auto* label = info.findChild<QLabel*>(QStringLiteral("lblVersione"));
    QVERIFY(label);
    QCOMPARE(label->text(), expected);
    QCOMPARE(label->accessibleName(), expected);
    auto* picture = info.findChild<QLabel*>(QStringLiteral("imgProgramma"));
    QVERIFY(picture);
    QCOMPARE(picture->accessibleName(), QStringLiteral("Folvara, ") + expected);
}

void TestInfo::dataFolderIsChangedForTheNextStart()
{
    TfrmInfo info(m_env->context, nullptr);
    QVERIFY(info.dataFolderChangeable());
    const QString blocked = m_env->dir.filePath(QStringLiteral("un_file"));
    {
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString fresh = m_env->dir.filePath(QStringLiteral("Nuova/Folvara"));
    // A folder that cannot be used is named with the reason and not remembered.
    m_env->messages.nextAnswers = {true};
    m_env->fileDialogs.nextNames = {blocked};
    clicCartella(info);
    QCOMPARE(m_env->messages.shown.size(), 2);
    QVERIFY(m_env->messages.shown.first().text.contains(QDir::toNativeSeparators(m_env->dir.path())));
    QCOMPARE(m_env->messages.shown.last().kind, MessageKind::Error);
    QVERIFY2(m_env->messages.lastText().contains(QDir::toNativeSeparators(blocked) +
                                                 QStringLiteral(" non si può usare: ")),
             qPrintable(m_env->messages.lastText()));
    QCOMPARE(DataFolder::remembered(settings()), QString());

    m_env->messages.clear();
    m_env->messages.nextAnswers = {true};
    m_env->fileDialogs.nextNames = {fresh};
    clicCartella(info);
    QCOMPARE(m_env->messages.shown.last().kind, MessageKind::Information);
    QVERIFY(m_env->messages.lastText().contains(QStringLiteral("dal prossimo avvio")));
    settings().sync();
    QCOMPARE(DataFolder::remembered(settings()), QDir::cleanPath(fresh));
    QVERIFY(QFileInfo(fresh).isDir());
}

void TestInfo::dataFolderBesideTheProgramIsOnlyShown()
{
    m_env->context.programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    TfrmInfo info(m_env->context, nullptr);
    QVERIFY(!info.dataFolderChangeable());
    clicCartella(info);
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
    QVERIFY(m_env->messages.lastText().contains(QStringLiteral("accanto al programma")));
    QVERIFY(m_env->fileDialogs.requests.isEmpty());
}

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
