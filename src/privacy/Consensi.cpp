#include "privacy/Consensi.h"

#include "documents/DocumentOutput.h"
#include "documents/PdfFile.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "privacy/ConsentFormDocument.h"
#include "privacy/ConsentSettings.h"
#include "privacy/ConsentStore.h"
#include "storage/TextRules.h"
#include "widgets/Looks.h"
#include "widgets/ReadOnlyRefusal.h"
#include "widgets/RegionalSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTextDocument>

namespace {

constexpr Consent::Photos kFoto[] = {Consent::Photos::NotStated, Consent::Photos::Yes,
                                     Consent::Photos::InternalOnly, Consent::Photos::No};

template <typename T> T* named(T* control, const char* name, const QString& accessible)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setAccessibleName(accessible);
    return control;
}

QLabel* etichetta(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = named(new QLabel(text, parent), name, text);
    label->setFont(Looks::font(QStringLiteral("Verdana"), 10, true));
    Looks::setTextColour(label, Looks::kDarkBlue);
    label->setGeometry(geometry);
    return label;
}

QPushButton* pulsante(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* button = named(new QPushButton(text, parent), name, text);
    button->setFont(Looks::font(QStringLiteral("Verdana"), 10, true));
    button->setGeometry(geometry);
    return button;
}

} // namespace

TfrmConsensi::TfrmConsensi(AppContext& context, QWidget* owner, int position,
                           const ConsentFormText::Person& person)
    : SecondaryScreen(context, owner, QStringLiteral(" Consensi della persona"), QSize(600, 520),
                      WindowKind::FixedOnCaller)
    , m_position(position)
    , m_person(person)
{
    setObjectName(QStringLiteral("frmConsensi"));
    RegionalSettings::apply();
    Looks::setVerticalGradient(this, QColor(0x42, 0x7A, 0xA8), Qt::white);
    costruisci();
    m_txtAssociazione->setText(ConsentSettings::association(m_context.programFolder));
    // Read once: the book bounds every text, so that a huge note cannot stall the screen.
    m_libro = ConsentStore::read(m_context.programFolder);
    m_letto = m_libro.find(m_position);
    m_notaAccorciata = m_libro.isCut(m_position);
    Consent consent;
    consent.position = m_position;
    mostra(m_letto.value_or(consent));
}

void TfrmConsensi::costruisci()
{
    Looks::shape(this, QStringLiteral("panConsensi"), QRect(12, 12, 576, 440),
                 QStringLiteral("background: white; border: 1px solid #b0c4de; border-radius: 6px;"));
    const QString nome = TextRules::trim(m_person.nome);
    const QString titolo = QStringLiteral("Scheda n. %1%2")
                               .arg(m_position)
                               .arg(nome.isEmpty() ? QString() : QStringLiteral(": ") + nome);
    m_lblScheda = etichetta(this, "lblScheda", titolo, QRect(28, 22, 544, 24));
    m_lblScheda->setFont(Looks::font(QStringLiteral("Verdana"), 12, true));

    const QFont testo = Looks::font(QStringLiteral("Verdana"), 10);
    m_chkTrattamento =
        named(new QCheckBox(QStringLiteral("Consenso al trattamento dei dati personali"), this),
              "chkTrattamento", QStringLiteral("Consenso al trattamento dei dati personali"));
    m_chkTrattamento->setFont(Looks::font(QStringLiteral("Verdana"), 10, true));
    m_chkTrattamento->setGeometry(28, 56, 520, 24);

    etichetta(this, "lblDataConsenso", QStringLiteral("Data del consenso:"), QRect(48, 88, 180, 24));
    m_dtpData = named(new QDateEdit(this), "dtpDataConsenso", QStringLiteral("Data del consenso"));
    m_dtpData->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_dtpData->setCalendarPopup(true);
    m_dtpData->setFont(testo);
    m_dtpData->setGeometry(236, 86, 140, 28);

    etichetta(this, "lblDatoDa", QStringLiteral("Consenso dato da:"), QRect(48, 122, 180, 24));
    m_optPersona = named(new QRadioButton(QStringLiteral("la persona stessa"), this), "optPersona",
                         QStringLiteral("Dato dalla persona stessa"));
    m_optTutore = named(new QRadioButton(QStringLiteral("un genitore o tutore"), this), "optTutore",
                        QStringLiteral("Dato da un genitore o tutore"));
    m_optPersona->setFont(testo);
    m_optTutore->setFont(testo);
    m_optPersona->setGeometry(236, 122, 160, 24);
    m_optTutore->setGeometry(398, 122, 180, 24);
    auto* gruppo = new QButtonGroup(this);
    gruppo->addButton(m_optPersona);
    gruppo->addButton(m_optTutore);

    etichetta(this, "lblTutori", QStringLiteral("Genitori o tutori:"), QRect(48, 156, 180, 24));
    m_txtTutori = named(new QLineEdit(this), "txtTutori", QStringLiteral("Genitori o tutori"));
    m_txtTutori->setPlaceholderText(QStringLiteral("cognome e nome di chi ha dato il consenso"));
    m_txtTutori->setFont(testo);
    m_txtTutori->setGeometry(236, 154, 336, 28);

    etichetta(this, "lblFoto", QStringLiteral("Consenso alle foto:"), QRect(28, 200, 200, 24));
    m_cboFoto = named(new QComboBox(this), "cboFoto", QStringLiteral("Consenso alle foto"));
    for (const Consent::Photos foto : kFoto)
        m_cboFoto->addItem(Consent::photosText(foto));
    m_cboFoto->setFont(testo);
    m_cboFoto->setGeometry(236, 198, 200, 28);

    etichetta(this, "lblNota", QStringLiteral("Nota:"), QRect(28, 236, 200, 24));
    m_txtNota = named(new QPlainTextEdit(this), "txtNota", QStringLiteral("Nota"));
    m_txtNota->setFont(testo);
    m_txtNota->setTabChangesFocus(true);
    m_txtNota->setGeometry(28, 262, 544, 70);
    m_lblNotaLunga =
        named(new QLabel(this), "lblNotaLunga", QStringLiteral("Avviso sulla lunghezza della nota"));
    m_lblNotaLunga->setFont(Looks::font(QStringLiteral("Verdana"), 8));
    Looks::setTextColour(m_lblNotaLunga, Looks::kDarkBlue);
    m_lblNotaLunga->setGeometry(90, 236, 482, 24);
    m_lblNotaLunga->hide();

    etichetta(this, "lblAssociazione", QStringLiteral("Associazione (stampata sul modulo):"),
              QRect(28, 346, 400, 24));
    m_txtAssociazione = named(new QLineEdit(this), "txtAssociazione", QStringLiteral("Associazione"));
    m_txtAssociazione->setFont(testo);
    m_txtAssociazione->setGeometry(28, 372, 544, 28);
    auto* avviso =
        etichetta(this, "lblModulo",
                  QStringLiteral("Il testo del modulo \u00E8 nel file \"%1\" della cartella del programma.")
                      .arg(ConsentFormText::fileName()),
                  QRect(28, 406, 544, 40));
    avviso->setWordWrap(true);
    avviso->setFont(Looks::font(QStringLiteral("Verdana"), 9));

    m_btnChiudi = pulsante(this, "btnChiudi", QStringLiteral("Chiudi"), QRect(12, 468, 100, 38));
    m_btnStampaModulo =
        pulsante(this, "btnStampaModulo", QStringLiteral("Stampa modulo"), QRect(200, 468, 140, 38));
    m_btnSalvaPdf = pulsante(this, "btnSalvaPdf", QStringLiteral("Salva PDF"), QRect(348, 468, 110, 38));
    m_btnSalva = pulsante(this, "btnSalva", QStringLiteral("Salva"), QRect(488, 468, 100, 38));
    m_btnSalva->setDefault(true);

    connect(m_txtNota, &QPlainTextEdit::textChanged, this, &TfrmConsensi::aggiornaAvvisoNota);
    connect(m_chkTrattamento, &QCheckBox::toggled, this, &TfrmConsensi::aggiornaAbilitati);
    connect(m_optTutore, &QRadioButton::toggled, this, &TfrmConsensi::aggiornaAbilitati);
    connect(m_btnChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(m_btnSalva, &QPushButton::clicked, this, &TfrmConsensi::btnSalvaClick);
    connect(m_btnStampaModulo, &QPushButton::clicked, this, &TfrmConsensi::btnStampaModuloClick);
    connect(m_btnSalvaPdf, &QPushButton::clicked, this, &TfrmConsensi::btnSalvaPdfClick);
}

void TfrmConsensi::aggiornaAbilitati()
{
    const bool trattamento = m_chkTrattamento->isChecked();
    m_dtpData->setEnabled(trattamento);
    m_optPersona->setEnabled(trattamento);
    m_optTutore->setEnabled(trattamento);
    m_txtTutori->setEnabled(trattamento && m_optTutore->isChecked());
}

void TfrmConsensi::aggiornaAvvisoNota()
{
    // characterCount() counts the closing paragraph mark too; it costs nothing, unlike the text.
    const bool lunga = m_txtNota->document()->characterCount() - 1 > ConsentBook::kMaxNote;
    const QString limite = QLocale(QLocale::Italian).toString(ConsentBook::kMaxNote);
    QString testo;
    if (lunga)
        testo = QStringLiteral("Nota troppo lunga: saranno salvati i primi %1 caratteri.").arg(limite);
    else if (m_notaAccorciata)
        testo = QStringLiteral("La nota nel file \u00E8 pi\u00F9 lunga: sono mostrati i primi %1 caratteri.")
                    .arg(limite);
    m_lblNotaLunga->setText(testo);
    if (!testo.isEmpty())
        m_lblNotaLunga->setAccessibleName(testo);
    m_lblNotaLunga->setVisible(!testo.isEmpty());
}

void TfrmConsensi::showEvent(QShowEvent* event)
{
    SecondaryScreen::showEvent(event);
    if (event->spontaneous())
        return;
    const QString warning = ConsentStore::warningOnce(m_libro);
    if (!warning.isEmpty())
        m_context.messages->warning(this, warning);
}

Consent TfrmConsensi::consenso() const
{
    Consent consent;
    consent.position = m_position;
    if (m_chkTrattamento->isChecked()) {
        consent.processingDate = m_dtpData->date();
        consent.givenBy = m_optTutore->isChecked() ? Consent::GivenBy::Guardian : Consent::GivenBy::Person;
        if (consent.givenBy == Consent::GivenBy::Guardian)
            consent.guardians = TextRules::trim(m_txtTutori->text());
    }
    consent.photos = kFoto[qBound(0, m_cboFoto->currentIndex(), 3)];
    consent.note = TextRules::trim(m_txtNota->toPlainText());
    ConsentBook::bound(consent);
    return consent;
}

void TfrmConsensi::mostra(const Consent& consent)
{
    m_chkTrattamento->setChecked(consent.hasProcessingConsent());
    m_dtpData->setDate(consent.hasProcessingConsent() ? consent.processingDate : QDate::currentDate());
    m_optTutore->setChecked(consent.givenBy == Consent::GivenBy::Guardian);
    m_optPersona->setChecked(consent.givenBy != Consent::GivenBy::Guardian);
    m_txtTutori->setText(consent.guardians);
    m_cboFoto->setCurrentIndex(
        int(std::find(std::begin(kFoto), std::end(kFoto), consent.photos) - std::begin(kFoto)));
    m_txtNota->setPlainText(consent.note);
    aggiornaAbilitati();
}

bool TfrmConsensi::modificato() const
{
    Consent vuoto;
    vuoto.position = m_position;
    // An untouched screen of a card without consents holds today's date only out of sight.
    return consenso() != m_letto.value_or(vuoto) || TextRules::trim(m_txtAssociazione->text()) !=
                                                        ConsentSettings::association(m_context.programFolder);
}

void TfrmConsensi::done(int result)
{
    if (isVisible() && modificato()) {
        switch (m_context.messages->questionWithCancel(
            this, QStringLiteral(
                      "I consensi di questa scheda sono stati modificati. Salvarli prima di chiudere?"))) {
        case MessageBoxes::Answer::Yes:
            if (!salva())
                return;
            break;
        case MessageBoxes::Answer::No:
            break;
        case MessageBoxes::Answer::Cancel:
            return;
        }
    }
    SecondaryScreen::done(result);
}

bool TfrmConsensi::salvaAssociazione()
{
    const QString nome = TextRules::trim(m_txtAssociazione->text());
    if (nome == ConsentSettings::association(m_context.programFolder))
        return true;
    QString reason;
    if (ConsentSettings::setAssociation(m_context.programFolder, nome, &reason))
        return true;
    m_context.messages->warning(
        this, QStringLiteral("Attenzione: il nome dell'associazione non \u00E8 stato salvato "
                             "nel file \"%1\".\r\n\r\n%2")
                  .arg(ConsentSettings::fileName(), reason));
    return false;
}

bool TfrmConsensi::salva()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return false;
    const Consent consent = consenso();
    if (consent.givenBy == Consent::GivenBy::Guardian && consent.guardians.isEmpty()) {
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: indicare il nome dei genitori o tutori che "
                                                   "hanno dato il consenso."));
        m_txtTutori->setFocus();
        return false;
    }
    if (!salvaAssociazione())
        return false;
    QString reason;
    std::optional<Consent> attuale;
    ConsentStore::Outcome esito =
        ConsentStore::save(m_context.programFolder, consent, &m_letto, &reason, &attuale);
    if (esito == ConsentStore::Outcome::Changed) {
        if (!m_context.messages->question(
                this, QStringLiteral(
                          "Attenzione: i consensi di questa scheda sono stati modificati da un'altra "
                          "postazione dopo che questa schermata li ha letti.\r\n\r\nSovrascriverli con "
                          "quelli indicati qui? Rispondendo No la schermata mostra i consensi attuali."))) {
            m_letto = attuale;
            Consent vuoto;
            vuoto.position = m_position;
            mostra(attuale.value_or(vuoto));
            return false;
        }
        esito = ConsentStore::save(m_context.programFolder, consent, nullptr, &reason);
    }
    switch (esito) {
    case ConsentStore::Outcome::Saved:
        m_letto = consent;
        m_notaAccorciata = false;
        aggiornaAvvisoNota();
        m_context.messages->information(this, QStringLiteral("I consensi della scheda sono stati salvati."));
        return true;
    case ConsentStore::Outcome::Newer:
        m_context.messages->warning(
            this, ConsentStore::read(m_context.programFolder).problemText(ConsentStore::fileName()));
        return false;
    case ConsentStore::Outcome::Changed:
    case ConsentStore::Outcome::Failed:
        break;
    }
    m_context.messages->warning(
        this, QStringLiteral("Attenzione: i consensi non sono stati salvati; il file \"%1\" "
                             "\u00E8 rimasto com'era.\r\n\r\n%2")
                  .arg(ConsentStore::fileName(), reason));
    return false;
}

QStringList TfrmConsensi::moduloRighe() const
{
    ConsentFormText::Person person = m_person;
    person.associazione = TextRules::trim(m_txtAssociazione->text());
    return ConsentFormText::fill(ConsentFormText::load(m_context.programFolder), person);
}

void TfrmConsensi::btnStampaModuloClick()
{
    salvaAssociazione();
    try {
        DocumentOutput::print(m_context, this, ConsentFormDocument(moduloRighe()));
    } catch (const std::exception&) {
        m_context.messages->warning(
            this, QStringLiteral("Attenzione: la stampa del modulo non \u00E8 andata a buon fine."));
    }
}

void TfrmConsensi::btnSalvaPdfClick()
{
    salvaAssociazione();
    const ConsentFormDocument documento(moduloRighe());
    DocumentOutput::savePdf(
        m_context, this, documento,
        PdfFile::fileName(QStringLiteral("Modulo consenso - ") + TextRules::trim(m_person.nome),
                          QStringLiteral("Modulo consenso")));
}
