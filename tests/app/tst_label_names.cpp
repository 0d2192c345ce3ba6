// Every label a screen shows is read by a screen reader as the text it shows.

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/Info.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "documents/AnteprimaCandidati.h"
#include "documents/AnteprimaProdotto.h"
#include "documents/ExpCandidati.h"
#include "documents/StampaCandidati.h"
#include "documents/StampaProdotto.h"
#include "groups/ApriCatalogo.h"
#include "groups/CreaCatalogo.h"
#include "groups/ListinoPrezzi.h"
#include "import/Importa.h"
#include "registry/AllegaCartella.h"
#include "registry/Candidati.h"
#include "registry/WebCam.h"
#include "registry/Zoom.h"
#include "search/DaRicontattare.h"
#include "search/TrovaCandidati.h"
#include "support/TestEnvironment.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <QTextDocumentFragment>

#include <functional>
#include <memory>

namespace {

using Factory = std::function<std::unique_ptr<QWidget>(AppContext&, QWidget*)>;

template <typename Screen> Factory mainScreen()
{
    return [](AppContext& context, QWidget*) { return std::make_unique<Screen>(context); };
}

template <typename Screen> Factory secondary()
{
    return [](AppContext& context, QWidget* owner) { return std::make_unique<Screen>(context, owner); };
}

// What the eye reads in the label.
QString shownText(const QLabel& label)
{
    const bool rich = label.textFormat() == Qt::RichText ||
                      (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()));
    return rich ? QTextDocumentFragment::fromHtml(label.text()).toPlainText() : label.text();
}

} // namespace

Q_DECLARE_METATYPE(Factory)

class TestLabelNames : public QObject {
    Q_OBJECT
private slots:
    void labelNameIsItsText_data();
    void labelNameIsItsText();
};

void TestLabelNames::labelNameIsItsText_data()
{
    QTest::addColumn<Factory>("make");
    QTest::newRow("TfrmPassword") << mainScreen<TfrmPassword>();
    QTest::newRow("TfrmCambiaPassword") << mainScreen<TfrmCambiaPassword>();
    QTest::newRow("TfrmAvvio") << mainScreen<TfrmAvvio>();
    QTest::newRow("TfrmCandidati") << mainScreen<TfrmCandidati>();
    QTest::newRow("TfrmCreaCatalogo") << mainScreen<TfrmCreaCatalogo>();
    QTest::newRow("TfrmApriCatalogo") << mainScreen<TfrmApriCatalogo>();
    QTest::newRow("TfrmListinoPrezzi") << mainScreen<TfrmListinoPrezzi>();
    QTest::newRow("TfrmInfo") << secondary<TfrmInfo>();
    QTest::newRow("TfrmGuida") << secondary<TfrmGuida>();
    QTest::newRow("TfrmCodFisc") << secondary<TfrmCodFisc>();
    QTest::newRow("TfrmPartitaIva") << secondary<TfrmPartitaIva>();
    QTest::newRow("TfrmTrovaCandidati") << secondary<TfrmTrovaCandidati>();
    QTest::newRow("TfrmDaRicontattare") << secondary<TfrmDaRicontattare>();
    QTest::newRow("TfrmAllegaCartella") << secondary<TfrmAllegaCartella>();
    QTest::newRow("TfrmWebCam") << secondary<TfrmWebCam>();
    QTest::newRow("TfrmZoom") << secondary<TfrmZoom>();
    QTest::newRow("TfrmExpCandidati") << secondary<TfrmExpCandidati>();
    QTest::newRow("TfrmImporta") << secondary<TfrmImporta>();
    QTest::newRow("TfrmAnteprimaCandidati") << secondary<TfrmAnteprimaCandidati>();
    QTest::newRow("TfrmStampaCandidati") << secondary<TfrmStampaCandidati>();
    QTest::newRow("TfrmAnteprimaProdotto") << secondary<TfrmAnteprimaProdotto>();
    QTest::newRow("TfrmStampaProdotto") << secondary<TfrmStampaProdotto>();
}

void TestLabelNames::labelNameIsItsText()
{
    QFETCH(Factory, make);
    TestEnvironment env;
    QWidget owner;
    const std::unique_ptr<QWidget> screen = make(env.context, &owner);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    for (QLabel* label : screen->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(screen.get()))
            continue;
        const QString text = shownText(*label);
        // A picture without text is named by what it shows.
        if (text.isEmpty() && (!label->pixmap().isNull() || !label->objectName().startsWith(u"lbl")))
            continue;
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(label);
        QVERIFY(reader);
        QVERIFY2(reader->text(QAccessible::Name) == text,
                 qPrintable(QStringLiteral("%1: \"%2\" read as \"%3\"")
                                .arg(label->objectName(), text, reader->text(QAccessible::Name))));
    }
}

QTEST_MAIN(TestLabelNames)
#include "tst_label_names.moc"
