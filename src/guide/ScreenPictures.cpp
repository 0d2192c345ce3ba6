#include "guide/ScreenPictures.h"

#include "app/Avvio.h"
#include "app/Guida.h"
#include "documents/GroupPageDocument.h"
#include "groups/ListinoPrezzi.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/ShellOpener.h"
#include "registry/Candidati.h"
#include "widgets/PhotoBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
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

QImage grabbed(QWidget& screen, QSize size)
{
    screen.setWindowState(Qt::WindowNoState);
    screen.resize(size);
    screen.show();
    QApplication::sendPostedEvents();
    const QImage image = screen.grab().toImage();
    screen.hide();
    return image;
}

// A neutral portrait for the example card.
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

// The pictures of the group screens: the group page editor with an example page, and the
// printed page it gives.
void addGroupPictures(AppContext& context, QList<GuidePicture>& pictures)
{
    const GroupPageData page = examplePage();
    {
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
            if (!slot.foto.isNull())
                listino.imgFoto(i)->setPicture(slot.foto);
        }
        pictures.append({HelpTopics::Topic::SchedarioGruppo, grabbed(listino, QSize(1016, 713)),
                         QStringLiteral("lo Schedario Gruppo con una pagina compilata")});
    }
    GroupPageDocument document;
    document.fill(page);
    document.prepare();
    pictures.append({HelpTopics::Topic::SchedarioGruppo, Report::renderPage(document.page(), 0, 4.0),
                     QStringLiteral("la stessa pagina stampata su un foglio A4")});
}

} // namespace

QList<GuidePicture> ScreenPictures::take()
{
    QTemporaryDir folder;
    SilentMessages messages;
    NoFileDialogs fileDialogs;
    NoShell shell;
    NoModal modal;
    AppContext context;
    context.programFolder = QDir(folder.path()).absolutePath() + QLatin1Char('/');
    context.messages = &messages;
    context.fileDialogs = &fileDialogs;
    context.shell = &shell;
    context.modal = &modal;

    QList<GuidePicture> pictures;
    {
        TfrmAvvio avvio(context);
        pictures.append({HelpTopics::Topic::Panoramica, grabbed(avvio, QSize(1016, 713)),
                         QStringLiteral("la schermata di avvio")});
        TfrmGuida guida(context, &avvio);
        guida.setTopic(HelpTopics::title(HelpTopics::Topic::Panoramica),
                       HelpTopics::text(HelpTopics::Topic::Panoramica));
        pictures.append(
            {HelpTopics::Topic::Panoramica, grabbed(guida, guida.size()),
             QStringLiteral("la guida in linea, aperta dal pulsante con il punto interrogativo")});
    }
    {
        TfrmCandidati candidati(context);
        candidati.setWindowState(Qt::WindowNoState);
        candidati.resize(1016, 713);
        candidati.show();
        fillExampleCard(candidati);
        pictures.append({HelpTopics::Topic::ArchivioAnagrafico, grabbed(candidati, QSize(1016, 713)),
                         QStringLiteral("l'Archivio Anagrafico con una scheda compilata")});
    }
    addGroupPictures(context, pictures);
    return pictures;
}
