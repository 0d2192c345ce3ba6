#include "app/Guida.h"

#include "widgets/Looks.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TfrmGuida::TfrmGuida(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmGuida"));
    Looks::setVerticalGradient(this, Qt::white, QColor(0xBF, 0xD8, 0xEF));

    m_lblTitolo = Looks::label(this, QStringLiteral("lblTitolo"), QStringLiteral("Argomento della guida."),
                               Looks::font(QStringLiteral("Arial"), 16, true), 22, 100);
    Looks::setTextColour(m_lblTitolo, Looks::kCrimson);

    m_txtGuida = new QPlainTextEdit(this);
    m_txtGuida->setObjectName(QStringLiteral("txtGuida"));
    m_txtGuida->setReadOnly(true);
    m_txtGuida->setFont(Looks::font(QStringLiteral("Verdana"), 12, true));
    m_txtGuida->setGeometry(22, 140, 625, 350);
    m_txtGuida->setAccessibleName(QStringLiteral("Testo della guida"));

    auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(527, 520, 120, 32);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmGuida::setTopic(const QString& title, const QString& text)
{
    m_lblTitolo->setText(title);
    m_lblTitolo->adjustSize();
    m_txtGuida->setPlainText(text);
}
