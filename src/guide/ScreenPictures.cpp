#include "guide/ScreenPictures.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Backup.h"
#include "app/Guida.h"
#include "app/HelpTopics.h"
#include "app/Info.h"
#include "app/Splash.h"
#include "app/VerificaCondivisione.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "documents/AnteprimaCandidati.h"
#include "documents/AnteprimaProdotto.h"
#include "documents/ExpCandidati.h"
#include "documents/GroupPageDocument.h"
#include "documents/StampaCandidati.h"
#include "documents/StampaProdotto.h"
#include "groups/ApriCatalogo.h"
#include "groups/CreaCatalogo.h"
#include "groups/ListinoPrezzi.h"
#include "import/Importa.h"
#include "platform/AppContext.h"
#include "platform/Camera.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/PreviewWindow.h"
#include "platform/Printing.h"
#include "platform/ShellOpener.h"
#include "privacy/Consensi.h"
#include "privacy/erase/CancellaPersona.h"
#include "registry/AllegaCartella.h"
#include "registry/Candidati.h"
#include "registry/FotoCartella.h"
#include "registry/WebCam.h"
#include "registry/Zoom.h"
#include "search/AvvisoScadenze.h"
#include "search/DaRicontattare.h"
#include "search/Scadenze.h"
#include "search/TrovaCandidati.h"
#include "storage/TArchivioSchede.h"
#include "widgets/CropStep.h"
#include "widgets/ImageButton.h"
#include "widgets/PhotoBox.h"
#include "widgets/Ritaglio.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

// Platform layers that do nothing: the screens are only looked at.
class SilentMessages final : public MessageBoxes {
public:
    bool show(QWidget*, MessageKind, const QString&) override { return false; }
};

class NoFileDialogs final : public FileDialogs {
public:
    QString openFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
};

class NoShell final : public ShellOpener {
public:
    bool open(const QString&) override { return false; }
};

class NoModal final : public ModalRunner {
public:
    int run(QDialog&) override { return QDialog::Rejected; }
};

class NoCamera final : public Camera {
protected:
    bool start() override { return false; }
    void stop() override {}
};

class NoPrinting final : public Printing {
public:
    std::unique_ptr<QPrinter> choosePrinter(QWidget*, const QPageLayout&) override { return nullptr; }
    void preview(QWidget*, const QPageLayout&, const std::function<void(QPrinter&)>&,
                 const std::function<void(QWidget*)>&) override
    {
    }
};

// Names the object names do not give well: by the stem of the object name, or by screen and
// object name where one name does different things on two screens. Each says what the
// button's hint says.
struct KnownName {
    const char* key;
    const char* name;
};

constexpr KnownName kKnownNames[] = {
    {"TfrmImporta.cmdStampa", "Stampa rapporto"},
    {"TfrmImporta.cmdImporta", "Aggiungi le righe spuntate"},
    {"TfrmImporta.cmdApri", "Scegli il file da importare"},
    {"TfrmImporta.cmdFoto", "Cartella delle foto"},
    {"TfrmFotoCartella.cmdCartella", "Cartella delle foto"},
    {"TfrmInfo.imgEmail", "Scrivi a Folvara"},
    {"App01", "Archivio Anagrafico"},
    {"App02", "Crea nuovo gruppo"},
    {"App03", "Apri gruppo esistente"},
    {"Prodotto", "Importa dall'archivio"},
    {"CodFisc", "Controlla codice fiscale"},
    {"PartitaIva", "Controlla partita IVA"},
    {"Email", "Invia e-mail"},
    {"CancFoto", "Cancella foto"},
    {"ZoomFoto", "Foto a dimensioni reali"},
    {"Webcam", "Webcam"},
    {"File", "Allega file"},
    {"Scadute", "Da ricontattare"},
    {"FotoCartella", "Importa foto da cartella"},
    {"Importa", "Importa persone"},
    {"Elimina", "Elimina gruppo"},
    {"Cancella", "Cancella nome del file"},
    {"Primo", "Prima scheda"},
    {"Indietro", "Scheda precedente"},
    {"Avanti", "Scheda successiva"},
    {"Ultimo", "Ultima scheda"},
    {"PDF", "Guida in PDF"},
    {"Info", "Informazioni"},
    {"Copyright", "Crediti"},
};

// A neutral portrait for the examples.
QImage examplePortrait()
{
    QImage image(282, 366, QImage::Format_RGB32);
    image.fill(QColor(0xDC, 0xE6, 0xF0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x7A, 0x8C, 0xA0));
    painter.drawEllipse(QPointF(141, 140), 62, 72);
    QPainterPath shoulders;
    shoulders.moveTo(20, 366);
    shoulders.cubicTo(30, 250, 252, 250, 262, 366);
    painter.drawPath(shoulders);
    return image;
}

void fillExampleCard(TfrmCandidati& screen)
{
    using C = TSchedaAnagrafica;
    const std::pair<C::Campo, const char*> values[] = {
        {C::Candidato, "ROSSI MARIA"},
        {C::Sesso, "F"},
        {C::DataNasc, "12/03/1985"},
        {C::Cittadinanza, "Italiana"},
        {C::LuogoNasc, "Bologna"},
        {C::Indirizzo, "Via Garibaldi 14"},
        {C::Citta, "Bologna"},
        {C::Cap, "40121"},
        {C::Settore, "Istruzione"},
        {C::Patente, "B"},
        {C::Studio, "Laurea in Lettere"},
        {C::Lingue, "Inglese, francese"},
        {C::Email, "maria.rossi@example.it"},
        {C::Cel, "333 1234567"},
        {C::Documento, "Carta d'identità"},
        {C::Competenze, "Pacchetto Office"},
        {C::Esperienze, "Accompagnatrice"},
        {C::Disponibilita, "Lun-Ven 9-13"},
        {C::Note, "Referente del gruppo per la gita a Roma"},
    };
    for (const auto& [campo, text] : values)
        screen.campo(campo)->setText(QString::fromUtf8(text));
    screen.imgFoto()->setPicture(examplePortrait());
}

// An example page of a school trip: eight pupils with their portraits.
GroupPageData examplePage()
{
    const std::array<const char*, 8> names = {"BIANCHI LUCA",   "COSTA GIULIA", "ESPOSITO MARCO",
                                              "FERRARI ANNA",   "GALLO PIETRO", "LOMBARDI SARA",
                                              "MORETTI DAVIDE", "RICCI ELENA"};
    GroupPageData page;
    page.groupName = QStringLiteral("Gita a Roma 3B");
    page.pageNumber = QStringLiteral("1");
    for (int i = 0; i < 8; ++i) {
        GroupPageData::Slot& slot = page.persone.at(i);
        slot.nome = QString::fromLatin1(names.at(i));
        slot.um = i == 0 ? QStringLiteral("Capogruppo") : QStringLiteral("Studente");
        slot.caratteristiche = i == 2 ? QStringLiteral("Allergico alle arachidi") : QString();
        slot.codice = QStringLiteral("E-mail: famiglia%1@example.it").arg(i + 1);
        slot.prezzo = QStringLiteral("Cel. 333 12345%1").arg(10 + i);
        slot.foto = examplePortrait();
    }
    return page;
}

class Photographer final {
public:
    ScreenMaterial material;

    // Pictures the screen at its size (or the given one) and notes its image buttons.
    void shoot(QWidget& screen, const QString& caption, QSize size = {})
    {
        screen.setWindowState(Qt::WindowNoState);
        if (size.isValid())
            screen.resize(size);
        screen.show();
        QApplication::sendPostedEvents();
        const QString className = QString::fromLatin1(screen.metaObject()->className());
        material.screens.append({className, screen.grab().toImage(), caption});
        for (ImageButton* button : screen.findChildren<ImageButton*>()) {
            // Wide pictures are banners that carry their own words.
            const bool banner = button->width() > 2.5 * button->height();
            if (banner || !button->isVisibleTo(&screen))
                continue;
            note(*button, ScreenPictures::buttonName(button->objectName(), className));
        }
        screen.hide();
    }

private:
    // One entry per name, with each of its pictures and hints once.
    void note(ImageButton& button, const QString& name)
    {
        auto entry = std::find_if(material.buttons.begin(), material.buttons.end(),
                                  [&name](const ButtonPicture& known) { return known.name == name; });
        if (entry == material.buttons.end()) {
            material.buttons.append({{}, name, {}, {}});
            entry = std::prev(material.buttons.end());
        }
        QSet<QString>& pictures = m_pictures[name];
        if (!pictures.contains(button.resource()) && entry->images.size() < 2)
            entry->images.append(button.grab().toImage());
        pictures.insert(button.resource());
        // A command's key is its tooltip: the legend gives it apart, after the hint.
        const QString keys = button.shortcut().toString(QKeySequence::NativeText);
        for (const QString& hint : {button.accessibleName(), button.toolTip()}) {
            if (hint.isEmpty() || hint == keys || entry->hints.contains(hint))
                continue;
            entry->hints.append(hint);
            if (hint.size() > entry->action.size())
                entry->action = hint;
        }
        if (!keys.isEmpty())
            entry->keys = keys;
    }

    QHash<QString, QSet<QString>> m_pictures; // the resources each name was seen with
};

void groupPictures(AppContext& context, Photographer& camera)
{
    const GroupPageData page = examplePage();
    TfrmListinoPrezzi listino(context);
    listino.setWindowState(Qt::WindowNoState);
    listino.resize(1016, 713);
    listino.show();
    if (auto* nome = listino.findChild<QLabel*>(QStringLiteral("lblNome")))
        nome->setText(page.groupName);
    for (int i = 0; i < 8; ++i) {
        const GroupPageData::Slot& slot = page.persone.at(i);
        listino.campo(i, TSchedaGruppo::Nome)->setText(slot.nome);
        listino.campo(i, TSchedaGruppo::UM)->setText(slot.um);
        listino.campo(i, TSchedaGruppo::Caratteristiche)->setText(slot.caratteristiche);
        listino.campo(i, TSchedaGruppo::Codice)->setText(slot.codice);
        listino.campo(i, TSchedaGruppo::Prezzo)->setText(slot.prezzo);
        listino.imgFoto(i)->setPicture(slot.foto);
    }
    camera.shoot(listino, QStringLiteral("lo Schedario Gruppo con una pagina compilata"), QSize(1016, 713));

    GroupPageDocument document;
    document.fill(page);
    document.prepare();
    camera.material.screens.append({QStringLiteral("GroupPageDocument"),
                                    Report::renderPage(document.page(), 0, 4.0),
                                    QStringLiteral("la stessa pagina stampata su un foglio A4")});

    TfrmStampaProdotto stampa(context, &listino);
    camera.shoot(stampa, QStringLiteral("la finestra di stampa della pagina, con \"Salva PDF\""));
    TfrmAnteprimaProdotto anteprima(context, &listino);
    camera.shoot(anteprima, QStringLiteral("la finestra che apre l'anteprima della pagina"));

    NoPrinting printing;
    PreviewWindow preview(
        printing, nullptr, document.page().pageLayout(),
        [&document](QPrinter& printer) { Report::render(document.page(), printer); }, [](QWidget*) {});
    preview.previewWidget()->fitInView();
    camera.shoot(preview, QStringLiteral("l'anteprima di stampa, con i suoi comandi in alto"),
                 QSize(900, 700));
}

// A wide photo with a person left of the centre, for the crop window.
QImage exampleScene()
{
    QImage image(1200, 900, QImage::Format_RGB32);
    image.fill(QColor(0xC8, 0xD8, 0xC0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x9C, 0xB4, 0x8C));
    painter.drawRect(0, 620, 1200, 280);
    painter.drawImage(QRect(330, 260, 423, 549), examplePortrait());
    return image;
}

// The registry with two cards and a folder of photos named after them, for the folder import.
QString examplePhotoFolder(const AppContext& context)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(TSchedaAnagrafica::archivio(context.programFolder), TSchedaAnagrafica::kSize);
    for (const char* name : {"ROSSI MARIA", "BIANCHI LUCA"}) {
        TSchedaAnagrafica scheda;
        scheda.setTesto(TSchedaAnagrafica::Candidato, QString::fromLatin1(name));
        archivio.Posiziona(archivio.NumeroSchede());
        archivio.ScriviScheda(scheda.buffer());
    }
    archivio.ChiudiArchivio();
    const QString folder = context.pathOf(QStringLiteral("Foto della classe"));
    QDir().mkpath(folder);
    for (const char* name : {"Rossi Maria.jpg", "luca_bianchi.jpg", "Verdi Anna.jpg"})
        examplePortrait().save(QDir(folder).filePath(QString::fromLatin1(name)), "JPG");
    QFile notes(QDir(folder).filePath(QStringLiteral("elenco.txt")));
    if (notes.open(QIODevice::WriteOnly))
        notes.write("Classe 3B\n");
    return folder;
}

} // namespace

QString ScreenPictures::buttonName(const QString& objectName, const QString& screen)
{
    static const QRegularExpression prefix(QStringLiteral("^(cmd|btn|imp|img|ico|lnk)"));
    static const QRegularExpression slot(QStringLiteral("(_[A-H0-9]+|[0-9]+)$"));
    const QString full = screen + QLatin1Char('.') + objectName;
    // "imgApp01" is known as "App01"; "imgCancella01", one of three, as "Cancella".
    const QString numbered = QString(objectName).remove(prefix);
    QString stem = numbered;
    stem.remove(slot);
    for (const QString& key : {full, numbered, stem}) {
        for (const KnownName& known : kKnownNames) {
            if (key == QLatin1String(known.key))
                return QString::fromUtf8(known.name);
        }
    }
    if (full == QLatin1String("TfrmSplash.imgWeb"))
        return QStringLiteral("Visita ") + QUrl(TfrmAvvio::webAddress()).host();
    // "AllegaFile": "Allega file".
    QString name;
    for (const QChar c : stem) {
        if (c.isUpper() && !name.isEmpty())
            name += QLatin1Char(' ') + c.toLower();
        else
            name += c;
    }
    return name;
}

bool ScreenPictures::nameFitsHint(const QString& name, const QString& hint)
{
    static const QRegularExpression word(QStringLiteral("\\w+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    const QString lowerHint = hint.toLower();
    for (auto it = word.globalMatch(name.toLower()); it.hasNext();) {
        const QString found = it.next().captured();
        if (found.size() < 4)
            continue;
        // "Prima scheda" fits "la prima scheda", "Controlla" fits "controllare".
        if (!lowerHint.contains(found.left(qMax(4, int(found.size()) - 2))))
            return false;
    }
    return true;
}

ScreenMaterial ScreenPictures::take()
{
    QTemporaryDir folder;
    SilentMessages messages;
    NoFileDialogs fileDialogs;
    NoShell shell;
    NoModal modal;
    NoCamera webcam;
    AppContext context;
    context.programFolder = QDir(folder.path()).absolutePath() + QLatin1Char('/');
    context.messages = &messages;
    context.fileDialogs = &fileDialogs;
    context.shell = &shell;
    context.modal = &modal;
    context.camera = &webcam;
    // Two groups for the list of the open-group screen.
    for (const char* name : {"Gita a Roma 3B.fvg", "Giocatori under 14 torneo estivo.fvg"}) {
        QFile file(context.pathOf(QString::fromLatin1(name)));
        file.open(QIODevice::WriteOnly);
    }

    Photographer camera;
    {
        TfrmPassword password(context);
        camera.shoot(password, QStringLiteral("la schermata di accesso"), QSize(1016, 713));
        TfrmCambiaPassword cambia(context);
        camera.shoot(cambia, QStringLiteral("il cambio della password"));
    }
    {
        TfrmAvvio avvio(context);
        camera.shoot(avvio, QStringLiteral("la schermata di avvio"), QSize(1016, 713));
        TfrmBackup backup(context, &avvio);
        camera.shoot(backup, QStringLiteral("la finestra dei backup"));
        TfrmCreaCatalogo crea(context);
        camera.shoot(crea, QStringLiteral("la creazione di un nuovo gruppo"));
        TfrmApriCatalogo apri(context);
        camera.shoot(apri, QStringLiteral("l'elenco dei gruppi esistenti"));
    }
    groupPictures(context, camera);
    {
        TfrmCandidati candidati(context);
        candidati.setWindowState(Qt::WindowNoState);
        candidati.resize(1016, 713);
        candidati.show();
        fillExampleCard(candidati);
        camera.shoot(candidati, QStringLiteral("l'Archivio Anagrafico con una scheda compilata"),
                     QSize(1016, 713));
        TfrmAllegaCartella allegati(context, &candidati);
        camera.shoot(allegati, QStringLiteral("gli allegati della scheda"));
        TfrmWebCam webCam(context, &candidati);
        camera.shoot(webCam, QStringLiteral("la finestra della webcam"));
        TfrmTrovaCandidati trova(context, &candidati);
        trova.lblMemory()->setText(QStringLiteral("candidati"));
        camera.shoot(trova, QStringLiteral("la ricerca nell'archivio"));
        TfrmDaRicontattare ricontattare(context, &candidati);
        camera.shoot(ricontattare, QStringLiteral("il riepilogo delle persone da ricontattare"));
        TfrmScadenze scadenze(context, &candidati);
        camera.shoot(scadenze, QStringLiteral("le scadenze dei documenti e i compleanni"));
        TfrmCodFisc codFisc(context, &candidati);
        camera.shoot(codFisc, QStringLiteral("il controllo del codice fiscale"));
        TfrmPartitaIva partitaIva(context, &candidati);
        camera.shoot(partitaIva, QStringLiteral("il controllo della partita IVA"));
        TfrmExpCandidati esporta(context, &candidati);
        camera.shoot(esporta, QStringLiteral("la finestra di esportazione"));
        TfrmImporta importa(context, &esporta);
        camera.shoot(importa, QStringLiteral("la finestra di importazione"));

        TfrmZoom zoom(context, &candidati);
        zoom.setFoto(examplePortrait());
        camera.shoot(zoom, QStringLiteral("la foto ingrandita; un clic la chiude"), QSize(900, 640));
        const CropRequest ritaglio = CropStep::request(exampleScene(), QSize(3, 4), QSize(300, 400));
        TfrmRitaglio ritaglia(context, &candidati, ritaglio);
        camera.shoot(
            ritaglia,
            QStringLiteral("la finestra \"Ritaglia foto\", con il riquadro da spostare e ingrandire"));
        TfrmStampaCandidati stampa(context, &candidati);
        camera.shoot(stampa, QStringLiteral("la finestra di stampa della scheda anagrafica"));
        TfrmAnteprimaCandidati anteprima(context, &candidati);
        camera.shoot(anteprima, QStringLiteral("la finestra che apre l'anteprima della scheda"));
        TfrmAvvisoScadenze avviso(context, &candidati, 3);
        camera.shoot(avviso, QStringLiteral("l'avviso delle scadenze dopo l'accesso"));
        TfrmConsensi consensi(context, &candidati, 1,
                              {QStringLiteral("ROSSI MARIA"), QStringLiteral("12/03/1985"),
                               QStringLiteral("Bologna"), QStringLiteral("RSSMRA85C52A944X"),
                               QStringLiteral("Associazione Gite Scolastiche")});
        camera.shoot(consensi, QStringLiteral("i consensi della persona"));
        PersonInventory persona;
        persona.position = 1;
        persona.card.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("ROSSI MARIA"));
        persona.photoFiles = {context.pathOf(QStringLiteral("Anagrafica/00000001.jpg"))};
        persona.attachments = {{QStringLiteral("Carta identita.pdf"),
                                context.pathOf(QStringLiteral("Documenti_Allegati/Carta identita.pdf")), true,
                                false}};
        persona.groupSlots = {{QStringLiteral("Gita a Roma 3B"), 1, 7, QString()}};
        TfrmCancellaPersona cancella(context, &candidati, persona);
        camera.shoot(cancella, QStringLiteral("la cancellazione di una persona, con l'elenco di ciò che sarà "
                                              "rimosso"));
    }
    {
        TfrmAvvio avvio(context);
        TfrmGuida guida(context, &avvio);
        guida.setTopic(HelpTopics::title(HelpTopics::Topic::Scadenze),
                       HelpTopics::text(HelpTopics::Topic::Scadenze));
        camera.shoot(guida, QStringLiteral("la guida in linea, aperta dalla schermata Scadenze"));
        TfrmSplash crediti(context, &avvio);
        camera.shoot(crediti, QStringLiteral("i crediti"));
        TfrmInfo info(context, &avvio);
        camera.shoot(info, QStringLiteral("le informazioni su Folvara, con \"Verifica condivisione\""));
        TfrmVerificaCondivisione verifica(context, &info);
        camera.shoot(verifica, QStringLiteral("la verifica della cartella condivisa"));
    }
    {
        const QString folder = examplePhotoFolder(context);
        TfrmCandidati candidati(context);
        TfrmFotoCartella fotoCartella(context, &candidati);
        QEventLoop wait;
        QObject::connect(&fotoCartella, &TfrmFotoCartella::esameConcluso, &wait, &QEventLoop::quit);
        QTimer::singleShot(60000, &wait, &QEventLoop::quit);
        fotoCartella.show();
        fotoCartella.apriCartella(folder);
        if (fotoCartella.inEsame())
            wait.exec();
        camera.shoot(fotoCartella, QStringLiteral("le foto di una cartella abbinate alle schede"));
    }
    return camera.material;
}
