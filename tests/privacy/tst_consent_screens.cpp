#include "documents/PdfProbe.h"
#include "registry/CandidatiFixture.h"

#include "documents/GroupPageScreen.h"
#include "privacy/Consensi.h"
#include "privacy/ConsentFormText.h"
#include "privacy/ConsentSettings.h"
#include "privacy/ConsentStore.h"
#include "search/TrovaCandidati.h"
#include "storage/ArchiveAccess.h"
#include "widgets/PhotoBox.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using C = TSchedaAnagrafica;

namespace {

bool isRed(const QColor& colour)
{
    return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60;
}

// The colour of the first page of a PDF at a point given in millimetres from the sheet's corner.
QColor colourAt(const QString& pdf, const QString& prefix, double xMm, double yMm)
{
    constexpr int kDpi = 50;
    const QImage page(PdfProbe::toPng(pdf, prefix, kDpi));
    return page.pixelColor(int(xMm / 25.4 * kDpi), int(yMm / 25.4 * kDpi));
}

void click(const QWidget& screen, const char* name)
{
    auto* button = screen.findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

void salvaConsenso(const QString& folder, int position, Consent::Photos photos, bool processing)
{
    Consent consent;
    consent.position = position;
    consent.photos = photos;
    if (processing)
        consent.processingDate = QDate(2026, 1, 10);
    QCOMPARE(ConsentStore::save(folder, consent, nullptr), ConsentStore::Outcome::Saved);
}

QImage rossa(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

} // namespace

class TestConsentScreens : public CandidatiFixture {
    Q_OBJECT
private slots:
    void init() { apri(); }
    void cleanup()
    {
        ArchiveAccess::setReadOnly(QString());
        chiudi();
    }

    void newCardHasNoConsentsYet();
    void consentsRoundTripThroughTheScreen();
    void everyControlIsNamed();
    void damagedFileWarnsOnceAndKeepsItsLines();
    void changeByAnotherWorkstationAsks();
    void hugeNoteOpensCutAndStaysInTheFile();
    void guardianWithoutNamesIsRefused();
    void printedCardShowsTheSilhouette_data();
    void printedCardShowsTheSilhouette();
    void groupPageShowsTheSilhouette_data();
    void groupPageShowsTheSilhouette();
    void formPdfHoldsThePersonsData();
    void searchFiltersCardsWithoutConsent();
    void readOnlyArchivesKeepTheConsents();

private:
    // Browses to the card at position (1-based) of an archive of count cards.
    void mostraScheda(int count, int position);
};

void TestConsentScreens::mostraScheda(int count, int position)
{
    scriviArchivio(count);
    clic("cmdPrimo");
    for (int i = 1; i < position; ++i)
        clic("cmdAvanti");
    QCOMPARE(posizione(), QString::number(position));
}

// On a share mounted unsafely the consents are shown but not saved.
void TestConsentScreens::readOnlyArchivesKeepTheConsents()
{
    mostraScheda(2, 2);
    salvaConsenso(m_env->folder(), 2, Consent::Photos::Yes, true);
    const QByteArray before = leggiFile(ConsentStore::path(m_env->folder()));
    const QString message = QStringLiteral("Attenzione: gli archivi sono aperti in sola lettura (prova).");
    ArchiveAccess::setReadOnly(message);
    m_env->modal.scripts << [](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cboFoto"))->setCurrentText(QStringLiteral("no"));
        click(dialog, "btnSalva");
    };
    clic("cmdConsensi");
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmConsensi")});
    // The refusal, then the question on closing with the change unsaved (answered No).
    QCOMPARE(m_env->messages.texts().first(), message);
    QCOMPARE(m_env->messages.shown.size(), 2);
    QCOMPARE(m_env->messages.shown.last().kind, MessageKind::Question);
    QCOMPARE(leggiFile(ConsentStore::path(m_env->folder())), before);
    // The store refuses too, whoever asks it.
    Consent consent;
    consent.position = 2;
    QString reason;
    QCOMPARE(ConsentStore::save(m_env->folder(), consent, nullptr, &reason), ConsentStore::Outcome::Failed);
    QCOMPARE(reason, message);
    QCOMPARE(leggiFile(ConsentStore::path(m_env->folder())), before);
}

void TestConsentScreens::newCardHasNoConsentsYet()
{
    compilaObbligatori(QStringLiteral("Nuova Persona"));
    clic("cmdConsensi");
    QVERIFY(m_env->modal.openedClasses.isEmpty());
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(m_env->messages.lastText().contains(QStringLiteral("nuova e non ha ancora una posizione")));
    QVERIFY(!QFile::exists(ConsentStore::path(m_env->folder())));
}

void TestConsentScreens::consentsRoundTripThroughTheScreen()
{
    mostraScheda(3, 2);
    salvaConsenso(m_env->folder(), 3, Consent::Photos::Yes, true);
    m_env->modal.scripts << [](QDialog& dialog) {
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblScheda"))->text(),
                 QStringLiteral("Scheda n. 2: Persona 2"));
        QVERIFY(!dialog.findChild<QCheckBox*>(QStringLiteral("chkTrattamento"))->isChecked());
        QVERIFY(!dialog.findChild<QDateEdit*>(QStringLiteral("dtpDataConsenso"))->isEnabled());
        dialog.findChild<QCheckBox*>(QStringLiteral("chkTrattamento"))->setChecked(true);
        dialog.findChild<QDateEdit*>(QStringLiteral("dtpDataConsenso"))->setDate(QDate(2026, 9, 1));
        dialog.findChild<QRadioButton*>(QStringLiteral("optTutore"))->setChecked(true);
        QVERIFY(dialog.findChild<QLineEdit*>(QStringLiteral("txtTutori"))->isEnabled());
        dialog.findChild<QLineEdit*>(QStringLiteral("txtTutori"))->setText(QStringLiteral("Neri Carla"));
        dialog.findChild<QComboBox*>(QStringLiteral("cboFoto"))->setCurrentText(QStringLiteral("no"));
        dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtNota"))
            ->setPlainText(QStringLiteral("Riga 1\nRiga 2"));
        click(dialog, "btnSalva");
    };
    clic("cmdConsensi");
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmConsensi")});
    QCOMPARE(m_env->messages.lastText(), QStringLiteral("I consensi della scheda sono stati salvati."));

    const ConsentBook book = ConsentStore::read(m_env->folder());
    Consent atteso;
    atteso.position = 2;
    atteso.processingDate = QDate(2026, 9, 1);
    atteso.givenBy = Consent::GivenBy::Guardian;
    atteso.guardians = QStringLiteral("Neri Carla");
    atteso.photos = Consent::Photos::No;
    atteso.note = QStringLiteral("Riga 1\nRiga 2");
    QCOMPARE(book.find(2), std::optional(atteso));
    QVERIFY(book.find(3)); // the other card's entry stays

    // Opened again, the screen shows what was saved.
    Consent mostrato;
    m_env->modal.scripts <<
        [&mostrato](QDialog& dialog) { mostrato = qobject_cast<TfrmConsensi*>(&dialog)->consenso(); };
    clic("cmdConsensi");
    QCOMPARE(mostrato, atteso);
}

void TestConsentScreens::everyControlIsNamed()
{
    mostraScheda(1, 1);
    QStringList senzaNome;
    m_env->modal.scripts << [&senzaNome](QDialog& dialog) {
        for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
            const bool control =
                qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
                qobject_cast<const QComboBox*>(widget) || qobject_cast<const QDateEdit*>(widget) ||
                qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QLabel*>(widget);
            if (!control || widget->parentWidget() != &dialog)
                continue;
            if (widget->objectName().isEmpty() || widget->accessibleName().isEmpty())
                senzaNome << QString::fromLatin1(widget->metaObject()->className()) + widget->objectName();
        }
    };
    clic("cmdConsensi");
    QCOMPARE(senzaNome, QStringList());
}

void TestConsentScreens::damagedFileWarnsOnceAndKeepsItsLines()
{
    mostraScheda(2, 1);
    const QByteArray rotta = "Folvara consensi 1\n2\t2026-02-30\tpersona\t\tno\tscritta a mano\nriga rotta\n";
    scriviFile(ConsentStore::path(m_env->folder()), rotta);
    const QByteArray archivio = archivioGrezzo();
    m_env->modal.scripts << [](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cboFoto"))->setCurrentText(QStringLiteral("s\u00EC"));
        click(dialog, "btnSalva");
    };
    clic("cmdConsensi");
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(m_env->messages.shown.first().text.contains(QStringLiteral("danneggiato")));
    QCOMPARE(m_env->messages.lastText(), QStringLiteral("I consensi della scheda sono stati salvati."));
    const QByteArray dopo = leggiFile(ConsentStore::path(m_env->folder()));
    QVERIFY(dopo.contains("2\t2026-02-30\tpersona\t\tno\tscritta a mano\nriga rotta\n"));
    QCOMPARE(ConsentStore::read(m_env->folder()).find(1)->photos, Consent::Photos::Yes);
    QCOMPARE(archivioGrezzo(), archivio);

    // The same damage is not told twice.
    m_env->messages.clear();
    clic("cmdConsensi");
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestConsentScreens::changeByAnotherWorkstationAsks()
{
    mostraScheda(1, 1);
    m_env->messages.nextAnswers << false; // keep the other workstation's consents
    Consent mostrato;
    m_env->modal.scripts << [this, &mostrato](QDialog& dialog) {
        salvaConsenso(m_env->folder(), 1, Consent::Photos::No, true); // meanwhile, elsewhere
        dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtNota"))->setPlainText(QStringLiteral("mia"));
        click(dialog, "btnSalva");
        mostrato = qobject_cast<TfrmConsensi*>(&dialog)->consenso();
    };
    clic("cmdConsensi");
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Question);
    QVERIFY(m_env->messages.shown.first().text.contains(QStringLiteral("un'altra postazione")));
    QCOMPARE(mostrato.photos, Consent::Photos::No);
    QVERIFY(mostrato.note.isEmpty());
    QVERIFY(ConsentStore::read(m_env->folder()).find(1)->note.isEmpty());
}

void TestConsentScreens::hugeNoteOpensCutAndStaysInTheFile()
{
    mostraScheda(3, 2);
    // A note of 1 MB in one word, as an import from another program may leave it.
    Consent grande;
    grande.position = 2;
    grande.photos = Consent::Photos::InternalOnly;
    grande.note = QString(1024 * 1024, QLatin1Char('x'));
    const QByteArray rigaGrande = ConsentBook::line(grande) + "\r\n";
    Consent terzo;
    terzo.position = 3;
    const QByteArray prima = "Folvara consensi 1\r\n" + rigaGrande + ConsentBook::line(terzo) + "\r\n";
    scriviFile(ConsentStore::path(m_env->folder()), prima);

    // Opened and closed untouched: the cut note is shown with a word about it, nothing is asked.
    qsizetype mostrata = 0;
    QString avviso;
    m_env->modal.scripts << [&](QDialog& dialog) {
        mostrata = dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtNota"))->toPlainText().size();
        const auto* label = dialog.findChild<QLabel*>(QStringLiteral("lblNotaLunga"));
        avviso = label->isVisibleTo(&dialog) ? label->text() : QString();
        QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("cboFoto"))->currentText(),
                 QStringLiteral("solo uso interno"));
        click(dialog, "btnChiudi");
    };
    clic("cmdConsensi");
    QCOMPARE(mostrata, ConsentBook::kMaxNote);
    QVERIFY2(avviso.contains(QStringLiteral("primi 4.000 caratteri")), qPrintable(avviso));
    QVERIFY(m_env->messages.shown.isEmpty());
    QCOMPARE(leggiFile(ConsentStore::path(m_env->folder())), prima);

    // Another card saved: the long line stays byte for byte, with the file's line ends.
    clic("cmdAvanti");
    m_env->modal.scripts << [](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cboFoto"))->setCurrentText(QStringLiteral("no"));
        click(dialog, "btnSalva");
    };
    clic("cmdConsensi");
    QCOMPARE(m_env->messages.lastText(), QStringLiteral("I consensi della scheda sono stati salvati."));
    terzo.photos = Consent::Photos::No;
    QCOMPARE(leggiFile(ConsentStore::path(m_env->folder())),
             "Folvara consensi 1\r\n" + rigaGrande + ConsentBook::line(terzo) + "\r\n");

    // The card's own save keeps what was shown.
    clic("cmdIndietro");
    QCOMPARE(posizione(), QStringLiteral("2"));
    m_env->modal.scripts << [](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cboFoto"))->setCurrentText(QStringLiteral("s\u00EC"));
        click(dialog, "btnSalva");
        QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("lblNotaLunga"))->isVisibleTo(&dialog));
    };
    clic("cmdConsensi");
    const Consent salvato = *ConsentStore::read(m_env->folder()).find(2);
    QCOMPARE(salvato.note, QString(ConsentBook::kMaxNote, QLatin1Char('x')));
    QCOMPARE(salvato.photos, Consent::Photos::Yes);
    QVERIFY(!ConsentStore::read(m_env->folder()).isCut(2));

    // A note typed longer than the bound is said to be so, and saved cut.
    m_env->modal.scripts << [&avviso](QDialog& dialog) {
        dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtNota"))
            ->setPlainText(QString(ConsentBook::kMaxNote + 50, QLatin1Char('y')));
        const auto* label = dialog.findChild<QLabel*>(QStringLiteral("lblNotaLunga"));
        avviso = label->isVisibleTo(&dialog) ? label->text() : QString();
        click(dialog, "btnSalva");
    };
    clic("cmdConsensi");
    QVERIFY2(avviso.startsWith(QStringLiteral("Nota troppo lunga")), qPrintable(avviso));
    QCOMPARE(ConsentStore::read(m_env->folder()).find(2)->note,
             QString(ConsentBook::kMaxNote, QLatin1Char('y')));
}

void TestConsentScreens::guardianWithoutNamesIsRefused()
{
    mostraScheda(1, 1);
    m_env->modal.scripts << [](QDialog& dialog) {
        dialog.findChild<QCheckBox*>(QStringLiteral("chkTrattamento"))->setChecked(true);
        dialog.findChild<QRadioButton*>(QStringLiteral("optTutore"))->setChecked(true);
        click(dialog, "btnSalva");
    };
    clic("cmdConsensi");
    QVERIFY(m_env->messages.texts().first().startsWith(
        QStringLiteral("Attenzione: indicare il nome dei genitori")));
    // Closing then asks about the changes; the answer No leaves the file unwritten.
    QCOMPARE(m_env->messages.shown.last().kind, MessageKind::Question);
    QVERIFY(!QFile::exists(ConsentStore::path(m_env->folder())));
}

void TestConsentScreens::printedCardShowsTheSilhouette_data()
{
    QTest::addColumn<int>("photos");
    QTest::addColumn<bool>("photoPrinted");
    QTest::newRow("no") << int(Consent::Photos::No) << false;
    QTest::newRow("internal use") << int(Consent::Photos::InternalOnly) << true;
    QTest::newRow("not stated") << int(Consent::Photos::NotStated) << true;
}

void TestConsentScreens::printedCardShowsTheSilhouette()
{
    QFETCH(int, photos);
    QFETCH(bool, photoPrinted);
    scriviFoto(fotoScheda(1), rossa(QSize(600, 800)));
    mostraScheda(2, 1);
    salvaConsenso(m_env->folder(), 1, Consent::Photos(photos), false);
    m_env->modal.scripts << [](QDialog& dialog) { click(dialog, "btnStampa"); };
    clic("cmdStampa");
    QCOMPARE(m_env->printing.printed.size(), 1);
    // The middle of the photo frame (1 mm in, 11 mm down, 188 x 140 mm) inside the 10 mm margins.
    const QColor middle = colourAt(m_env->printing.printed.first(), m_env->path(QStringLiteral("scheda")),
                                   10 + 1 + 94, 10 + 11 + 70);
    QCOMPARE(isRed(middle), photoPrinted);
    if (!photoPrinted)
        QVERIFY(middle.blue() > 150); // the pale outline
    // The stored photo stays as it was.
    QCOMPARE(QImage(fotoScheda(1)).size(), QSize(600, 800));
}

void TestConsentScreens::groupPageShowsTheSilhouette_data()
{
    QTest::addColumn<bool>("allPages");
    QTest::newRow("page on show") << false;
    QTest::newRow("every page") << true;
}

void TestConsentScreens::groupPageShowsTheSilhouette()
{
    QFETCH(bool, allPages);
    TSchedaAnagrafica rossi = scheda(1);
    rossi.setTesto(C::Candidato, QStringLiteral("Rossi Mario"));
    scriviArchivio({rossi, scheda(2)});
    salvaConsenso(m_env->folder(), 1, Consent::Photos::No, true);
    salvaConsenso(m_env->folder(), 2, Consent::Photos::Yes, true);

    GroupPageData data;
    data.groupName = QStringLiteral("Coro");
    data.persone.at(0) = {QStringLiteral("ROSSI MARIO"), {}, {}, {}, {}, rossa(QSize(282, 366))};
    data.persone.at(1) = {QStringLiteral("Persona 2"), {}, {}, {}, {}, rossa(QSize(282, 366))};
    QWidget editor;
    m_env->modal.scripts << [allPages](QDialog& dialog) {
        dialog.findChild<QCheckBox*>(QStringLiteral("chkTutteLePagine"))->setChecked(allPages);
        click(dialog, "btnStampa");
    };
    GroupPageOutput::stampa(m_env->context, &editor, data);
    QCOMPARE(m_env->printing.printed.size(), 1);

    // The middle of each slot's photo frame (2 mm in, 1 mm down, 22 x 28 mm).
    const auto middle = [this](int slot) {
        return colourAt(m_env->printing.printed.first(), m_env->path(QStringLiteral("pagina%1").arg(slot)),
                        10 + 2 + 11, 10 + GroupPageDocument::boxTop(slot) + 1 + 14);
    };
    QVERIFY2(!isRed(middle(0)) && middle(0).blue() > 150, "slot A: the photo of a person who said no");
    QVERIFY(isRed(middle(1)));
}

void TestConsentScreens::formPdfHoldsThePersonsData()
{
    TSchedaAnagrafica rossi = scheda(1);
    rossi.setTesto(C::Candidato, QStringLiteral("Rossi Mario"));
    rossi.setTesto(C::CodFisc, QStringLiteral("RSSMRA80C12H501U"));
    rossi.setTesto(C::DataNasc, QStringLiteral("12/03/1980"));
    scriviArchivio({rossi});
    clic("cmdPrimo");
    const QString pdf = m_env->path(QStringLiteral("modulo.pdf"));
    m_env->fileDialogs.nextNames << pdf;
    m_env->messages.nextAnswers << false; // do not open the saved file
    m_env->modal.scripts << [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("txtAssociazione"))
            ->setText(QStringLiteral("Coro Aurora"));
        click(dialog, "btnSalvaPdf");
        click(dialog, "btnStampaModulo");
    };
    clic("cmdConsensi");
    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    QCOMPARE(QFileInfo(m_env->fileDialogs.requests.first().proposedName).fileName(),
             QStringLiteral("Modulo consenso - Rossi Mario.pdf"));
    QVERIFY(QFile::exists(pdf));
    const QString text = PdfProbe::rawText(pdf).simplified();
    for (const QString& atteso :
         {QStringLiteral("Rossi Mario"), QStringLiteral("RSSMRA80C12H501U"), QStringLiteral("12/03/1980"),
          QStringLiteral("Coro Aurora"), QStringLiteral("Firma dell'interessato")})
        QVERIFY2(text.contains(atteso), qPrintable(atteso));
    QCOMPARE(PdfProbe::pageCount(pdf), 1);
    QCOMPARE(m_env->printing.printed.size(), 1);
    QVERIFY(PdfProbe::rawText(m_env->printing.printed.first()).contains(QStringLiteral("RSSMRA80C12H501U")));
    QVERIFY(QFile::exists(m_env->path(ConsentFormText::fileName())));
    QCOMPARE(ConsentSettings::association(m_env->folder()), QStringLiteral("Coro Aurora"));
}

void TestConsentScreens::searchFiltersCardsWithoutConsent()
{
    QList<TSchedaAnagrafica> schede;
    for (const char* nome : {"Rossi Mario", "Anna De Rossi", "Bianchi Luca", "Neri Giulia"}) {
        schede << scheda(1);
        schede.last().setTesto(C::Candidato, QString::fromLatin1(nome));
    }
    scriviArchivio(schede);
    salvaConsenso(m_env->folder(), 1, Consent::Photos::Yes, true);
    salvaConsenso(m_env->folder(), 2, Consent::Photos::Yes, false); // photos only
    salvaConsenso(m_env->folder(), 3, Consent::Photos::No, true);

    const auto cerca = [this](const QString& nome, bool senzaConsenso) {
        TfrmTrovaCandidati screen(m_env->context, m_screen);
        screen.lblMemory()->setText(QStringLiteral("candidati"));
        screen.show();
        screen.findChild<QLineEdit*>(QStringLiteral("txtCandidato"))->setText(nome);
        auto* filtro = screen.findChild<QCheckBox*>(QStringLiteral("chkSenzaConsenso"));
        filtro->setChecked(senzaConsenso);
        QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("btnCerca")), Qt::LeftButton);
        QStringList nomi;
        const QAbstractItemModel* model = screen.findChild<QListView*>(QStringLiteral("lstRecords"))->model();
        for (int row = 0; row < model->rowCount(); ++row)
            nomi << model->index(row, 0).data().toString().left(30).trimmed();
        return nomi;
    };
    QCOMPARE(cerca(QString(), true), (QStringList{"Anna De Rossi", "Neri Giulia"}));
    QCOMPARE(cerca(QStringLiteral("rossi"), true), QStringList{"Anna De Rossi"});
    QCOMPARE(cerca(QStringLiteral("rossi"), false), (QStringList{"Anna De Rossi", "Rossi Mario"}));
}

CANDIDATI_TEST_MAIN(TestConsentScreens)
#include "tst_consent_screens.moc"
