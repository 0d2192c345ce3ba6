#include "app/Guida.h"

#include "app/DataFolder.h"
#include "app/LinkText.h"
#include "app/OpenURL.h"
#include "platform/AppContext.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

TfrmGuida::TfrmGuida(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmGuida"));
    Looks::setVerticalGradient(this, Qt::white, QColor(0xBF, 0xD8, 0xEF));

    auto* strip = Looks::shape(this, QStringLiteral("shpLogo"), QRect(10, 10, 650, 76),
                               QStringLiteral("background: white; border: 2px solid #F5DEB3;"));
    new Picture(strip, QStringLiteral("imgLogo"), QStringLiteral(":/pictures/guida_logo.svg"),
                QRect(8, 6, 634, 64), QStringLiteral("Guida all'utilizzo del software"));

    m_lblTitolo = Looks::label(this, QStringLiteral("lblTitolo"), QStringLiteral("Argomento della guida."),
                               Looks::font(QStringLiteral("Arial"), 16, true), 22, 104);
    Looks::setTextColour(m_lblTitolo, Looks::kCrimson);

    m_txtGuida = new QPlainTextEdit(this);
    m_txtGuida->setObjectName(QStringLiteral("txtGuida"));
    m_txtGuida->setReadOnly(true);
    m_txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_txtGuida->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_txtGuida->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_txtGuida->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_txtGuida->setFont(Looks::font(QStringLiteral("Verdana"), 12, true));
    m_txtGuida->setGeometry(22, 136, 625, 350);
    m_txtGuida->setAccessibleName(QStringLiteral("Testo della guida"));

    auto* imgPDF = new ImageButton(this, QStringLiteral("imgPDF"), QStringLiteral(":/pictures/guida_pdf.svg"),
                                   QRect(22, 500, 40, 50), QStringLiteral("Visualizza guida in formato PDF"));
    m_lnkWeb = new LinkText(this, QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"),
                            QPoint(72, 516));
    m_lnkWeb->attach(imgPDF);
    connect(m_lnkWeb, &LinkText::clicked, this, &TfrmGuida::lnkWebClick);

    auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(527, 512, 120, 32);
    btnChiudi->setDefault(true);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmGuida::setTopic(const QString& title, const QString& text)
{
    m_lblTitolo->setText(title);
    m_lblTitolo->adjustSize();
    m_txtGuida->setPlainText(text);
    // Reading starts from the first line, whatever was shown before.
    m_txtGuida->moveCursor(QTextCursor::Start);
    m_txtGuida->verticalScrollBar()->setValue(0);
}

void TfrmGuida::lnkWebClick()
{
    const QString guide =
        DataFolder::guide(m_context.programFolder, QCoreApplication::applicationDirPath(), guideFileName());
    TMisc::Open(*m_context.shell, QLatin1Char('"') + guide + QLatin1Char('"'));
}
