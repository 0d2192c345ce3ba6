#include "widgets/Ritaglio.h"

#include "widgets/CropView.h"
#include "widgets/Looks.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* pulsante(QWidget* parent, const char* name, const QString& text, const QString& accessible)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(accessible);
    // The keys belong to the frame: arrows never wander from button to button.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* avviso(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(text);
    label->setStyleSheet(QStringLiteral("color: #B00000; font-weight: bold;"));
    return label;
}

} // namespace

TfrmRitaglio::TfrmRitaglio(AppContext& context, QWidget* owner, const CropRequest& request)
    : SecondaryScreen(context, owner, QStringLiteral(" Ritaglia foto"), QSize(860, 660),
                      WindowKind::FixedOnCaller)
    , m_request(request)
    , m_frame(request.picture.size(), request.shape, request.suggested)
{
    setObjectName(QStringLiteral("frmRitaglio"));
    Looks::setSteelBlueGradient(this);
    const double scale =
        request.reduced.isNull() ? 1.0 : double(request.picture.width()) / request.reduced.width();
    m_imgRitaglio = new CropView(this, request.reduced, scale, m_frame);
    m_imgRitaglio->setObjectName(QStringLiteral("imgRitaglio"));
    m_imgRitaglio->setAccessibleName(QStringLiteral("Foto da ritagliare"));
    m_imgRitaglio->setAccessibleDescription(
        QStringLiteral("Trascinare o usare le frecce per spostare il riquadro, la rotellina o + e - per "
                       "ingrandire, Invio per confermare, Esc per lasciare la foto com'era."));

    auto* istruzioni = new QLabel(m_imgRitaglio->accessibleDescription(), this);
    istruzioni->setObjectName(QStringLiteral("lblIstruzioni"));
    istruzioni->setAccessibleName(istruzioni->text());
    istruzioni->setWordWrap(true);
    m_lblVolto = avviso(this, "lblVolto", QStringLiteral("nessun volto trovato"));
    m_lblPiccola = avviso(this, "lblPiccola", QStringLiteral("foto piccola: verrà ingrandita"));

    QPushButton* meno = pulsante(this, "btnZoomMeno", QStringLiteral("−"), QStringLiteral("Riduci"));
    QPushButton* piu = pulsante(this, "btnZoomPiu", QStringLiteral("+"), QStringLiteral("Ingrandisci"));
    QPushButton* conferma =
        pulsante(this, "btnConferma", QStringLiteral("Conferma"), QStringLiteral("Conferma"));
    QPushButton* annulla = pulsante(this, "btnAnnulla", QStringLiteral("Annulla"), QStringLiteral("Annulla"));
    connect(meno, &QPushButton::clicked, this, [this] {
        m_frame.zoomOut();
        m_imgRitaglio->frameChanged();
    });
    connect(piu, &QPushButton::clicked, this, [this] {
        m_frame.zoomIn();
        m_imgRitaglio->frameChanged();
    });
    connect(conferma, &QPushButton::clicked, this, &QDialog::accept);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_imgRitaglio, &CropView::changed, this, &TfrmRitaglio::aggiornaAvvisi);

    auto* riga = new QHBoxLayout;
    riga->addWidget(m_lblVolto);
    riga->addWidget(m_lblPiccola);
    riga->addStretch();
    riga->addWidget(meno);
    riga->addWidget(piu);
    riga->addSpacing(16);
    riga->addWidget(conferma);
    riga->addWidget(annulla);
    auto* colonna = new QVBoxLayout(this);
    colonna->addWidget(m_imgRitaglio, 1);
    colonna->addWidget(istruzioni);
    colonna->addLayout(riga);

    // Starting from the crop chosen last, no face was looked for.
    m_lblVolto->setVisible(!request.faceFound && !request.lastCrop);
    aggiornaAvvisi();
    m_imgRitaglio->setFocus();
}

void TfrmRitaglio::aggiornaAvvisi()
{
    m_lblPiccola->setVisible(m_frame.smallerThan(m_request.target));
}

void TfrmRitaglio::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        m_frame.nudge(-1, 0);
        break;
    case Qt::Key_Right:
        m_frame.nudge(1, 0);
        break;
    case Qt::Key_Up:
        m_frame.nudge(0, -1);
        break;
    case Qt::Key_Down:
        m_frame.nudge(0, 1);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        m_frame.zoomIn();
        break;
    case Qt::Key_Minus:
        m_frame.zoomOut();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return;
    case Qt::Key_Escape:
        reject();
        return;
    default:
        SecondaryScreen::keyPressEvent(event);
        return;
    }
    m_imgRitaglio->frameChanged();
}
