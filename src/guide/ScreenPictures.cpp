#include "guide/ScreenPictures.h"

#include "app/Avvio.h"
#include "app/Guida.h"
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
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>

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

// The pictures of the group screens: the group page editor and a printed group page join
// the list here, in the chapter of the group pages.
void addGroupPictures(AppContext&, QList<GuidePicture>&) {}

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
