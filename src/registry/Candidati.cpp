#include "registry/Candidati.h"

#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "storage/FotoScheda.h"
#include "storage/Placeholder.h"
#include "storage/TextRules.h"
#include "widgets/Looks.h"
#include "widgets/PhotoBox.h"
#include "widgets/RegionalSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

TfrmCandidati::TfrmCandidati(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara - Archivio Anagrafico"), QSize(1016, 713),
                 WindowKind::Maximised)
{
    setObjectName(QStringLiteral("frmCandidati"));
    RegionalSettings::apply();
    Looks::setVerticalGradient(this, QColor(0x42, 0x7A, 0xA8), Qt::white);

    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i) {
        const auto& field = TSchedaAnagrafica::layout()[i];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txt") + QString::fromLatin1(field.name));
        edit->setMaxLength(field.capacity);
        edit->setGeometry(340 + (i % 3) * 220, 80 + (i / 3) * 40, 210, 24);
        m_campi[i] = edit;
    }
    const char* const attachmentNames[] = {"lblFile01", "lblFile02", "lblFile03",
                                           "lblDesc01", "lblDesc02", "lblDesc03"};
    for (int i = 0; i < 6; ++i) {
        m_allegati[i] = new QLabel(this);
        m_allegati[i]->setObjectName(QString::fromLatin1(attachmentNames[i]));
        m_allegati[i]->hide();
    }
    m_chkRicontatta = new QCheckBox(QStringLiteral("Da ricontattare"), this);
    m_chkRicontatta->setObjectName(QStringLiteral("chkRicontatta"));
    m_chkRicontatta->move(340, 460);
    m_lblPosizione = new QLabel(this);
    m_lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    m_lblPosizione->setGeometry(500, 20, 60, 24);
    m_imgFoto = new PhotoBox(this, QStringLiteral("imgFoto"));
    m_imgFoto->setGeometry(20, 80, 307, 394);
    m_imgFoto->setPicture(Placeholder::image());

    auto* cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setGeometry(900, 10, 90, 40);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
}

void TfrmCandidati::MostraScheda(const TSchedaAnagrafica& scheda)
{
    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i)
        m_campi[i]->setText(TextRules::trim(scheda.testo(static_cast<TSchedaAnagrafica::Campo>(i))));
    const QString flag = TextRules::trim(scheda.testo(TSchedaAnagrafica::Ricontatta));
    if (flag == TSchedaAnagrafica::flagSi())
        m_chkRicontatta->setChecked(true);
    else if (flag == TSchedaAnagrafica::flagNo())
        m_chkRicontatta->setChecked(false);
    for (int i = 0; i < 6; ++i) {
        const auto campo = static_cast<TSchedaAnagrafica::Campo>(TSchedaAnagrafica::File01 + i);
        m_allegati[i]->setText(TextRules::trim(scheda.testo(campo)));
    }
}

void TfrmCandidati::caricaScheda(const TSchedaAnagrafica& scheda, int position)
{
    MostraScheda(scheda);
    m_lblPosizione->setText(QString::number(position));
    CaricaFotoScheda(m_context.programFolder, m_lblPosizione->text(), m_imgFoto->picture());
    m_imgFoto->pictureChanged();
}

void TfrmCandidati::AzzeraScheda()
{
    for (QLineEdit* edit : m_campi)
        edit->clear();
    for (QLabel* label : m_allegati)
        label->clear();
    m_chkRicontatta->setChecked(false);
    m_imgFoto->setPicture(Placeholder::image());
    m_lblPosizione->clear();
    m_campi[TSchedaAnagrafica::Candidato]->setFocus();
}

void TfrmCandidati::showEvent(QShowEvent* event)
{
    MainScreen::showEvent(event);
    if (!event->spontaneous())
        AzzeraScheda();
}

void TfrmCandidati::onClose()
{
    m_context.screens->switchTo(m_context.screens->avvio(), this);
}
