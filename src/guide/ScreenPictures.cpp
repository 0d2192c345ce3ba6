#include "guide/ScreenPictures.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Backup.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "documents/ExpCandidati.h"
#include "documents/GroupPageDocument.h"
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
#include "platform/ShellOpener.h"
#include "registry/AllegaCartella.h"
#include "registry/Candidati.h"
#include "registry/WebCam.h"
#include "search/DaRicontattare.h"
#include "search/Scadenze.h"
#include "search/TrovaCandidati.h"
#include "widgets/ImageButton.h"
#include "widgets/PhotoBox.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <array>

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
    void open(const QString&) override {}
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

// Names the object names do not give well.
struct KnownName {
    const char* stem;
    const char* name;
};

constexpr KnownName kKnownNames[] = {
    {"App01", "Archivio Anagrafico"},
    {"App02", "Crea nuovo gruppo"},
    {"App03", "Apri gruppo esistente"},
    {"Prodotto", "Importa dall'archivio"},
    {"CodFisc", "Controlla codice fiscale"},
    {"PartitaIva", "Controlla partita IVA"},
    {"Email", "Invia e-mail"},
    {"CancFoto", "Cancella foto"},
    {"ZoomFoto", "Zoom della foto"},
    {"Webcam", "Webcam"},
    {"File", "Allega file"},
    {"Trova", "Ricerca"},
    {"Scadute", "Scadenze"},
    {"FotoCartella", "Importa foto da cartella"},
    {"Cancella", "Elimina gruppo"},
    {"PDF", "Guida in PDF"},
    {"Info", "Informazioni"},
    {"Copyright", "Crediti"},
    {"Sito", "Sito web"},
    {"Web", "Sito web"},
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
        material.screens.append(
            {QString::fromLatin1(screen.metaObject()->className()), screen.grab().toImage(), caption});
        for (ImageButton* button : screen.findChildren<ImageButton*>()) {
            // Wide pictures are banners that carry their own words.
            const bool banner = button->width() > 2.5 * button->height();
            if (banner || !button->isVisibleTo(&screen) || m_seen.contains(button->resource()))
                continue;
            m_seen.insert(button->resource());
            QImage image = button->grab().toImage();
            material.buttons.append(
                {image, ScreenPictures::buttonName(button->objectName()), button->accessibleName()});
        }
        screen.hide();
    }

private:
    QSet<QString> m_seen;
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
}

} // namespace

QString ScreenPictures::buttonName(const QString& objectName)
{
    static const QRegularExpression prefix(QStringLiteral("^(cmd|btn|imp|img|ico|lnk)"));
    static const QRegularExpression slot(QStringLiteral("_[A-H0-9]+$"));
    QString stem = objectName;
    stem.remove(prefix).remove(slot);
    for (const KnownName& known : kKnownNames) {
        if (stem == QLatin1String(known.stem))
            return QString::fromUtf8(known.name);
    }
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
    }
    return camera.material;
}
