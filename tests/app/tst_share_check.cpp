// "Verifica condivisione", reached from the information screen.
#include "app/Info.h"
#include "app/VerificaCondivisione.h"
#include "storage/ArchiveAccess.h"
#include "storage/ShareProbe.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestShareCheck : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup()
    {
        ArchiveAccess::setReadOnly(QString());
        m_env.reset();
    }

    void infoScreenOpensTheCheck();
    void heldProbeRefusesTheOtherWorkstation();
    void checkWithoutHolderSaysSo();
    void singleWorkstationTickBox();

private:
    static void clic(QWidget& screen, const char* name)
    {
        auto* button = screen.findChild<QPushButton*>(QString::fromLatin1(name));
        QVERIFY(button);
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }

    std::unique_ptr<TestEnvironment> m_env;
};

void TestShareCheck::infoScreenOpensTheCheck()
{
    TfrmInfo info(m_env->context, nullptr);
    auto* button = info.findChild<QPushButton*>(QStringLiteral("btnVerificaCondivisione"));
    QVERIFY(button);
    QCOMPARE(button->accessibleName(), QStringLiteral("Verifica condivisione"));
    clic(info, "btnVerificaCondivisione");
    QCOMPARE(m_env->modal.openedClasses, QStringList({"TfrmVerificaCondivisione"}));
}

void TestShareCheck::heldProbeRefusesTheOtherWorkstation()
{
    TfrmVerificaCondivisione a(m_env->context, nullptr);
    clic(a, "btnTieni");
    QVERIFY(a.tieneBlocco());
    QVERIFY(a.findChild<QLabel*>(QStringLiteral("lblEsito"))->text().contains(QStringLiteral("60 secondi")));

    TfrmVerificaCondivisione b(m_env->context, nullptr);
    clic(b, "btnVerifica");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
    QVERIFY(
        m_env->messages.lastText().startsWith(QStringLiteral("La cartella condivisa protegge gli archivi")));

    // Pressed again, the button lets the probe go.
    clic(a, "btnTieni");
    QVERIFY(!a.tieneBlocco());
    QCOMPARE(int(ShareProbe().check(m_env->folder()).verdict), int(ShareProbe::Verdict::NoHolder));
}

void TestShareCheck::checkWithoutHolderSaysSo()
{
    TfrmVerificaCondivisione b(m_env->context, nullptr);
    clic(b, "btnVerifica");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("Nessuna postazione sta tenendo")));
    QCOMPARE(b.findChild<QLabel*>(QStringLiteral("lblEsito"))->text(), m_env->messages.lastText());
}

// "Unica postazione" beside "Verifica condivisione": kept in Condivisione.ini, and the archives
// may be written at once.
void TestShareCheck::singleWorkstationTickBox()
{
    const QString folder = m_env->folder();
    ArchiveAccess::setReadOnly(
        QStringLiteral("Attenzione: gli archivi sono aperti in sola lettura (prova)."));
    {
        TfrmInfo info(m_env->context, nullptr);
        auto* box = info.findChild<QCheckBox*>(QStringLiteral("chkUnicaPostazione"));
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Unica postazione"));
        QVERIFY(!box->accessibleDescription().isEmpty());
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->isChecked());
    }
    QVERIFY(ArchiveAccess::singleWorkstation(folder));
    QVERIFY(!ArchiveAccess::readOnly());
    QVERIFY(m_env->messages.shown.isEmpty());

    TfrmInfo again(m_env->context, nullptr);
    auto* box = again.findChild<QCheckBox*>(QStringLiteral("chkUnicaPostazione"));
    QVERIFY(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!ArchiveAccess::singleWorkstation(folder));
}

QTEST_MAIN(TestShareCheck)
#include "tst_share_check.moc"
