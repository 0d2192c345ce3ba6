#include "documents/PdfProbe.h"
#include "registry/CandidatiFixture.h"

#include "documents/AnteprimaCandidati.h"
#include "documents/StampaCandidati.h"
#include "storage/Placeholder.h"
#include "widgets/PhotoBox.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

namespace {

constexpr double kTolerance = 0.5;

// The sizes of the pictures in a PDF, as pdfimages lists them.
QList<QSize> pictureSizes(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    process.waitForFinished(60000);
    QList<QSize> sizes;
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList columns = lines.at(i).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (columns.size() > 4 && columns.at(2) == QLatin1String("image"))
            sizes.append(QSize(columns.at(3).toInt(), columns.at(4).toInt()));
    }
    return sizes;
}

} // namespace

class TestCardScreens : public CandidatiFixture {
    Q_OBJECT
private slots:
    void init() { apri(); }
    void cleanup() { chiudi(); }

    void documentNamesAreTheEditorsFieldNames();
    void screensLookAsDesigned_data();
    void screensLookAsDesigned();
    void previewShowsTheFieldsAsTyped();
    void cardWithoutPhotoPrintsTheBlankImage();
    void photoThatCannotBeCopiedGivesTheScreensPlaceholder();
    void printGoesThroughTheDialog();
    void cancellingThePrintDialogClosesQuietly();
    void photoTooLargeGivesTheWarning_data();
    void photoTooLargeGivesTheWarning();
    void annullaClosesWithoutOutput();
    void salvaPdfWritesThePrintedCard_data();
    void salvaPdfWritesThePrintedCard();
    void previewWindowSavesTheCard();

private:
    // Clicks a button of the editor and, on the screen it opens, one of the screen's buttons.
    void apriEPremi(const char* editorButton, const char* screenButton,
                    const std::function<void(QDialog&)>& before = {});
    bool m_closed = false;
};

void TestCardScreens::apriEPremi(const char* editorButton, const char* screenButton,
                                 const std::function<void(QDialog&)>& before)
{
    m_closed = false;
    m_env->modal.scripts << [this, screenButton, before](QDialog& dialog) {
        if (before)
            before(dialog);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(screenButton)), Qt::LeftButton);
        m_closed = !dialog.isVisible();
    };
    clic(editorButton);
}

void TestCardScreens::documentNamesAreTheEditorsFieldNames()
{
    for (int campo = 0; campo < TSchedaAnagrafica::kCampiTesto; ++campo) {
        const QString name = QString::fromLatin1(PersonCardDocument::textNames().at(campo));
        QCOMPARE(txt(TSchedaAnagrafica::Campo(campo))->objectName(), name);
        // Every name is a text object of the layout.
        QCOMPARE(PersonCardDocument().page().object(name).kind, Report::Kind::Text);
    }
}

void TestCardScreens::screensLookAsDesigned_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("stampa");
    QTest::newRow("preview") << "cmdAnteprima"
                             << " Anteprima di stampa"
                             << "Mostra anteprima";
    QTest::newRow("print") << "cmdStampa"
                           << " Stampa documento"
                           << "Stampa";
}

void TestCardScreens::screensLookAsDesigned()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, stampa);
    m_env->modal.scripts << [&](QDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(dialog.size(), QSize(364, 287));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btnStampa"))->text(), stampa);
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btnAnnulla"))->text(),
                 QStringLiteral("Annulla"));
        const auto* temp = dialog.findChild<PhotoBox*>(QStringLiteral("imgTemp"));
        QVERIFY(temp && !temp->isVisible());
        QCOMPARE(temp->picture().size(), QSize(297, 184));
        const auto* logo = dialog.findChild<PhotoBox*>(QStringLiteral("imgLogo"));
        QVERIFY(logo && !logo->isVisible());
        // Every named control can be told apart by a reader: its caption or an accessible name.
        for (const QWidget* control : dialog.findChildren<QWidget*>()) {
            const QString name = control->objectName();
            if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")))
                continue;
            const auto* label = qobject_cast<const QLabel*>(control);
            const auto* button = qobject_cast<const QPushButton*>(control);
            const bool captioned =
                (label && !label->text().isEmpty()) || (button && !button->text().isEmpty());
            QVERIFY2(captioned || !control->accessibleName().isEmpty(), qPrintable(name));
        }
    };
    clic(qPrintable(button));
    QCOMPARE(m_env->modal.openedClasses.size(), 1);
}

void TestCardScreens::previewShowsTheFieldsAsTyped()
{
    txt(TSchedaAnagrafica::Candidato)->setText(QStringLiteral("   BIANCHI ANNA   "));
    txt(TSchedaAnagrafica::Citta)->setText(QStringLiteral("  Torino"));
    txt(TSchedaAnagrafica::Note)->setText(QStringLiteral("Mai salvata"));
    m_screen->imgFoto()->setPicture(immagine(600, 800, Qt::green));
    apriEPremi("cmdAnteprima", "btnStampa");

    QVERIFY(m_closed);
    QVERIFY(m_env->messages.shown.isEmpty());
    QCOMPARE(m_env->printing.previews.size(), 1);
    QCOMPARE(m_env->printing.previewOwners, QStringList{QStringLiteral("frmAnteprimaCandidati")});
    QVERIFY(m_env->printing.printed.isEmpty());
    const QString pdf = m_env->printing.previews.first();
    const QList<PdfProbe::Word> words = PdfProbe::words(pdf);
    const PdfProbe::Word torino = PdfProbe::find(words, QStringLiteral("Torino"));
    QVERIFY(std::abs(torino.box.left() - (10 + 1 + 1)) <= kTolerance);
    QVERIFY(std::abs(torino.box.center().y() - (10 + 167 + 8.4)) <= kTolerance);
    const PdfProbe::Word bianchi = PdfProbe::find(words, QStringLiteral("BIANCHI"));
    const PdfProbe::Word anna = PdfProbe::find(words, QStringLiteral("ANNA"));
    QVERIFY(std::abs((bianchi.box.left() + anna.box.right()) / 2 - 105) <= kTolerance);
    QVERIFY(PdfProbe::pageText(words, 0).contains(QStringLiteral("NOTE Mai salvata")));
    // The position is printed nowhere; the photo is the one on the screen.
    QCOMPARE(pictureSizes(pdf), (QList<QSize>{QSize(600, 800)}));
    QCOMPARE(PdfProbe::fonts(pdf), (QStringList{"LiberationSans", "LiberationSans-Bold"}));
}

void TestCardScreens::cardWithoutPhotoPrintsTheBlankImage()
{
    txt(TSchedaAnagrafica::Candidato)->setText(QStringLiteral("Senza Foto"));
    QImage shown;
    apriEPremi("cmdStampa", "btnStampa", [&](QDialog& dialog) {
        shown = dialog.findChild<PhotoBox*>(QStringLiteral("imgLogo"))->picture();
    });
    QCOMPARE(shown, Placeholder::image());
    QCOMPARE(m_env->printing.printed.size(), 1);
    QCOMPARE(pictureSizes(m_env->printing.printed.first()),
             (QList<QSize>{QSize(Placeholder::kWidth, Placeholder::kHeight)}));
}

void TestCardScreens::photoThatCannotBeCopiedGivesTheScreensPlaceholder()
{
    m_screen->imgFoto()->setPicture(QImage());
    QImage shown;
    apriEPremi("cmdAnteprima", "btnStampa", [&](QDialog& dialog) {
        shown = dialog.findChild<PhotoBox*>(QStringLiteral("imgLogo"))->picture();
    });
    QCOMPARE(shown.size(), QSize(297, 184));
    QVERIFY(m_env->messages.shown.isEmpty());
    QCOMPARE(pictureSizes(m_env->printing.previews.first()), (QList<QSize>{QSize(297, 184)}));
}

void TestCardScreens::printGoesThroughTheDialog()
{
    txt(TSchedaAnagrafica::Candidato)->setText(QStringLiteral("Rossi Mario"));
    txt(TSchedaAnagrafica::Sesso)->setText(QStringLiteral("M"));
    apriEPremi("cmdStampa", "btnStampa");
    QVERIFY(m_closed);
    QCOMPARE(m_env->printing.dialogs, 1);
    QVERIFY(m_env->printing.previews.isEmpty());
    QCOMPARE(m_env->printing.printed.size(), 1);
    const QString pdf = m_env->printing.printed.first();
    QCOMPARE(PdfProbe::pageCount(pdf), 1);
    const QList<PdfProbe::Word> words = PdfProbe::words(pdf);
    // SESSO is centred in its 16 mm box at 95 mm.
    const PdfProbe::Word sesso = PdfProbe::find(words, QStringLiteral("M"));
    QVERIFY(std::abs(sesso.box.center().x() - (10 + 95 + 8)) <= kTolerance);
    QVERIFY(PdfProbe::pageText(words, 0).startsWith(QStringLiteral("Rossi Mario LUOGO DI NASCITA")));
}

void TestCardScreens::cancellingThePrintDialogClosesQuietly()
{
    m_env->printing.nextAnswers << false;
    apriEPremi("cmdStampa", "btnStampa");
    QVERIFY(m_closed);
    QCOMPARE(m_env->printing.dialogs, 1);
    QVERIFY(m_env->printing.printed.isEmpty());
    QVERIFY(m_env->messages.shown.isEmpty());
    QVERIFY(QDir(m_env->folder()).entryList({QStringLiteral("*.pdf")}).isEmpty());
}

void TestCardScreens::photoTooLargeGivesTheWarning_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::newRow("preview") << "cmdAnteprima"
                             << QStringLiteral(
                                    "Attenzione: la visualizzazione dell'anteprima di stampa non \u00E8 "
                                    "andata a buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni "
                                    "della foto.");
    QTest::newRow("print") << "cmdStampa"
                           << QStringLiteral("Attenzione: la stampa non \u00E8 andata a buon fine.\n\r\n\rSi "
                                             "consiglia di ridurre le dimensioni della foto.");
}

void TestCardScreens::photoTooLargeGivesTheWarning()
{
    QFETCH(QString, button);
    QFETCH(QString, message);
    m_screen->imgFoto()->setPicture(immagine(400, 300, Qt::blue));
    apriEPremi(qPrintable(button), "btnStampa", [](QDialog& dialog) {
        // Stands for a photo larger than any printer can take.
        static_cast<PersonCardScreen&>(dialog).documento().page().setLargestPicture(400 * 300 - 1);
    });
    QVERIFY(m_closed);
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QCOMPARE(m_env->messages.shown.first().text, message);
    QVERIFY(m_env->printing.previews.isEmpty());
    QVERIFY(m_env->printing.printed.isEmpty());
    QCOMPARE(m_env->printing.dialogs, 0);
}

void TestCardScreens::annullaClosesWithoutOutput()
{
    apriEPremi("cmdAnteprima", "btnAnnulla");
    QVERIFY(m_closed);
    QVERIFY(m_env->printing.previews.isEmpty());
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestCardScreens::salvaPdfWritesThePrintedCard_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("preview screen") << "cmdAnteprima";
    QTest::newRow("print screen") << "cmdStampa";
}

void TestCardScreens::salvaPdfWritesThePrintedCard()
{
    QFETCH(QString, button);
    txt(TSchedaAnagrafica::Candidato)->setText(QStringLiteral("  Rossi Mario "));
    txt(TSchedaAnagrafica::Note)->setText(QStringLiteral("Certificato medico"));
    apriEPremi("cmdStampa", "btnStampa");
    QCOMPARE(m_env->printing.printed.size(), 1);

    const QString path = m_env->path(QStringLiteral("scheda.pdf"));
    m_env->fileDialogs.nextNames << path;
    apriEPremi(button.toLatin1().constData(), "btnSalvaPdf");
    QVERIFY(m_closed);
    QCOMPARE(QFileInfo(m_env->fileDialogs.requests.first().proposedName).fileName(),
             QStringLiteral("Rossi Mario.pdf"));
    QVERIFY(m_env->printing.previews.isEmpty());
    QCOMPARE(m_env->printing.printed.size(), 1);
    QCOMPARE(PdfProbe::pageCount(path), 1);
    const QList<PdfProbe::Word> saved = PdfProbe::words(path);
    const QList<PdfProbe::Word> printed = PdfProbe::words(m_env->printing.printed.first());
    QCOMPARE(saved.size(), printed.size());
    for (qsizetype i = 0; i < saved.size(); ++i) {
        QCOMPARE(saved.at(i).text, printed.at(i).text);
        QVERIFY(std::abs(saved.at(i).box.left() - printed.at(i).box.left()) < 0.01);
        QVERIFY(std::abs(saved.at(i).box.top() - printed.at(i).box.top()) < 0.01);
    }
    QCOMPARE(pictureSizes(path), pictureSizes(m_env->printing.printed.first()));
    // The confirmation names the file and opens it on request.
    QCOMPARE(m_env->messages.shown.size(), 1);
    QVERIFY(m_env->messages.lastText().contains(QDir::toNativeSeparators(path)));
    QCOMPARE(m_env->shell.opened, QStringList{path});
}

void TestCardScreens::previewWindowSavesTheCard()
{
    txt(TSchedaAnagrafica::Candidato)->setText(QStringLiteral("Rossi Mario"));
    m_env->printing.savePdfFromPreview = true;
    const QString path = m_env->path(QStringLiteral("dall'anteprima.pdf"));
    m_env->fileDialogs.nextNames << path;
    apriEPremi("cmdAnteprima", "btnStampa");
    // The preview window's own "Salva PDF" proposes the card's name and writes the card.
    QCOMPARE(m_env->printing.previews.size(), 1);
    QCOMPARE(m_env->printing.previewSaveCommands, 1);
    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    QCOMPARE(QFileInfo(m_env->fileDialogs.requests.first().proposedName).fileName(),
             QStringLiteral("Rossi Mario.pdf"));
    QCOMPARE(PdfProbe::pageCount(path), 1);
    QCOMPARE(PdfProbe::words(path).size(), PdfProbe::words(m_env->printing.previews.first()).size());
    QVERIFY(PdfProbe::pageText(PdfProbe::words(path), 0).contains(QStringLiteral("Rossi Mario")));
    QCOMPARE(m_env->shell.opened, QStringList{path});
}

CANDIDATI_TEST_MAIN(TestCardScreens)
#include "tst_card_screens.moc"
