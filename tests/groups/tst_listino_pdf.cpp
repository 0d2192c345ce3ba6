#include "documents/PdfProbe.h"
#include "groups/ListinoFixture.h"

#include "documents/GroupPageScreen.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

// "Stampa tutte le pagine" on the group page screens, and fields that show their beginning.
class TestListinoPdf : public ListinoFixture {
    Q_OBJECT
private slots:
    void init() { apri(3); }
    void cleanup() { chiudi(); }

    void allPagesInOneDocument_data();
    void allPagesInOneDocument();
    void pageOnShowReplacesItsStoredVersion();
    void fieldShowsItsBeginning();

private:
    // Opens the screen on the editor's page, ticks "Stampa tutte le pagine" and presses button.
    void tutteLePagine(bool preview, const char* button);
};

void TestListinoPdf::tutteLePagine(bool preview, const char* button)
{
    m_env->modal.scripts << [button](QDialog& dialog) {
        auto* check = dialog.findChild<QCheckBox*>(QStringLiteral("chkTutteLePagine"));
        QVERIFY(check);
        QCOMPARE(check->text(), QStringLiteral("Stampa tutte le pagine"));
        QVERIFY(!check->isChecked());
        check->setChecked(true);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    };
    const GroupPageData data = GroupPageOutput::datiDa(*m_screen);
    if (preview)
        GroupPageOutput::anteprima(m_env->context, m_screen, data);
    else
        GroupPageOutput::stampa(m_env->context, m_screen, data);
}

void TestListinoPdf::allPagesInOneDocument_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<QString>("button");
    QTest::newRow("print") << false << "btnStampa";
    QTest::newRow("preview") << true << "btnStampa";
    QTest::newRow("save") << false << "btnSalvaPdf";
}

void TestListinoPdf::allPagesInOneDocument()
{
    QFETCH(bool, preview);
    QFETCH(QString, button);
    const QString saved = m_env->path(QStringLiteral("tutte.pdf"));
    m_env->fileDialogs.nextNames << saved;

    tutteLePagine(preview, button.toLatin1().constData());

    QString pdf;
    if (button == QLatin1String("btnSalvaPdf")) {
        pdf = saved;
        QCOMPARE(QFileInfo(m_env->fileDialogs.requests.first().proposedName).fileName(),
                 QStringLiteral("Gita Roma - tutte le pagine.pdf"));
    } else {
        pdf = preview ? m_env->printing.previews.value(0) : m_env->printing.printed.value(0);
    }
    QVERIFY2(QFileInfo::exists(pdf), qPrintable(pdf));
    QCOMPARE(PdfProbe::pageCount(pdf), 3);
    const QList<PdfProbe::Word> words = PdfProbe::words(pdf);
    for (int page = 0; page < 3; ++page) {
        const QString text = PdfProbe::pageText(words, page);
        const QString n = QString::number(page + 1);
        // The group's name, the bare page number, then the slots.
        QVERIFY2(
            text.startsWith(
                QStringLiteral("Gita Roma %1 Pagina %1 Ruolo %1 Note %1 E-mail: p%1@x.it Cel. %1").arg(n)),
            qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral("Ultimo %1").arg(n)), qPrintable(text));
    }
}

void TestListinoPdf::pageOnShowReplacesItsStoredVersion()
{
    clic(QStringLiteral("cmdPrimo"));
    clic(QStringLiteral("cmdAvanti"));
    QCOMPARE(posizione(), QStringLiteral("2"));
    txt(0, TSchedaGruppo::Nome)->setText(QStringLiteral("Cambiata non salvata"));
    tutteLePagine(false, "btnStampa");
    QCOMPARE(m_env->printing.printed.size(), 1);
    const QList<PdfProbe::Word> words = PdfProbe::words(m_env->printing.printed.first());
    QVERIFY(PdfProbe::pageText(words, 0).contains(QStringLiteral("Pagina 1")));
    QVERIFY(PdfProbe::pageText(words, 1).contains(QStringLiteral("Cambiata non salvata Ruolo 2")));
    QVERIFY(PdfProbe::pageText(words, 2).contains(QStringLiteral("Pagina 3")));
}

void TestListinoPdf::fieldShowsItsBeginning()
{
    QLineEdit* email = txt(2, TSchedaGruppo::Codice);
    // Longer than the field shows, one character short of what it holds.
    const QString lungo =
        QStringLiteral("E-mail: mario.rossi@esempio.it")
            .leftJustified(TSchedaGruppo::layoutOf(TSchedaGruppo::Codice).capacity - 1, u'x');
    QVERIFY(email->fontMetrics().horizontalAdvance(lungo) > email->width());
    email->setText(lungo);
    QCOMPARE(email->cursorPosition(), 0);
    QLineEdit* phone = txt(2, TSchedaGruppo::Prezzo);
    phone->setText(QStringLiteral("Cel. +39 333 6677889 / 0522 123456 / 0522 654321"));
    QCOMPARE(phone->cursorPosition(), 0);
    // Typing keeps the cursor where the user puts it.
    email->setFocus();
    email->end(false);
    QTest::keyClicks(email, QStringLiteral("x"));
    QCOMPARE(email->cursorPosition(), lungo.size() + 1);
}

CANDIDATI_TEST_MAIN(TestListinoPdf)
#include "tst_listino_pdf.moc"
