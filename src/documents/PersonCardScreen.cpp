#include "documents/PersonCardScreen.h"

#include "documents/DocumentOutput.h"
#include "documents/PdfFile.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "privacy/ConsentStore.h"
#include "registry/Candidati.h"
#include "storage/Placeholder.h"
#include "widgets/PhotoBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QShowEvent>

namespace {

// The screen's own blank picture, 297 x 184: the placeholder outline on its pale ground.
QImage temporaryPicture()
{
    QImage image(297, 184, QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF8, 0xFF));
    const QImage outline = Placeholder::image();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize size = outline.size().scaled(image.size(), Qt::KeepAspectRatio);
    painter.drawImage(
        QRect(QPoint((image.width() - size.width()) / 2, (image.height() - size.height()) / 2), size),
        outline);
    return image;
}

PhotoBox* hiddenPicture(QWidget* parent, const QString& name, const QString& accessibleName)
{
    auto* box = new PhotoBox(parent, name);
    box->setAccessibleName(accessibleName);
    box->setGeometry(0, 0, 1, 1);
    box->hide();
    return box;
}

} // namespace

PersonCardScreen::PersonCardScreen(AppContext& context, QWidget* owner, const Aspetto& aspetto,
                                   QString failure)
    : DocumentScreen(context, owner, aspetto)
    , m_failure(std::move(failure))
    , m_imgLogo(hiddenPicture(this, QStringLiteral("imgLogo"), QStringLiteral("Foto della scheda")))
    , m_imgTemp(hiddenPicture(this, QStringLiteral("imgTemp"), QStringLiteral("Foto mancante")))
{
    m_imgTemp->setPicture(temporaryPicture());
}

const TfrmCandidati* PersonCardScreen::editor() const
{
    return qobject_cast<const TfrmCandidati*>(parentWidget());
}

void PersonCardScreen::showEvent(QShowEvent* event)
{
    DocumentScreen::showEvent(event);
    if (event->spontaneous())
        return;
    const PhotoBox* foto = editor() ? editor()->imgFoto() : nullptr;
    if (foto && !foto->picture().isNull())
        m_imgLogo->setPicture(foto->picture());
    else
        m_imgLogo->setPicture(m_imgTemp->picture());
}

void PersonCardScreen::fill()
{
    if (!editor())
        throw Report::Error("no registry editor");
    m_documento.page().setOrientation(QPageLayout::Portrait);
    // A card whose photo consent is "no" prints the blank outline; the stored photo stays.
    const int position = editor()->lblPosizione()->text().trimmed().toInt();
    const ConsentBook consensi = ConsentStore::read(m_context.programFolder);
    const std::optional<Consent> consenso = consensi.find(position);
    const QString avviso = ConsentStore::warningOnce(consensi);
    if (!avviso.isEmpty())
        m_context.messages->warning(this, avviso);
    const bool negata = consenso && consenso->photos == Consent::Photos::No;
    m_documento.setPhoto(negata ? Placeholder::image() : m_imgLogo->picture());
    // The editor's fields and the document's texts share their names, in the same order.
    for (int campo = 0; campo < TSchedaAnagrafica::kCampiTesto; ++campo) {
        const auto c = TSchedaAnagrafica::Campo(campo);
        m_documento.setText(QStringLiteral("txt") + QString::fromLatin1(TSchedaAnagrafica::layoutOf(c).name),
                            editor()->campo(c)->text());
    }
    m_documento.prepare();
}

void PersonCardScreen::btnStampaClick()
{
    try {
        fill();
        output();
    } catch (const std::exception&) {
        m_context.messages->warning(this, m_failure);
    }
    close();
}

void PersonCardScreen::btnSalvaPdfClick()
{
    try {
        fill();
    } catch (const std::exception&) {
        m_context.messages->warning(this, m_failure);
        close();
        return;
    }
    if (DocumentOutput::savePdf(m_context, this, m_documento.page(), pdfName()))
        close();
}

QString PersonCardScreen::pdfName() const
{
    return PdfFile::fileName(m_documento.page().object(QStringLiteral("txtCandidato")).text,
                             QStringLiteral("Scheda anagrafica"));
}
