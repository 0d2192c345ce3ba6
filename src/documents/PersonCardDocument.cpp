#include "documents/PersonCardDocument.h"

#include "storage/TextRules.h"

namespace {

const QColor kRoyalBlue(0x41, 0x69, 0xE1);

struct Box {
    double top;
    const char* caption;
    const char* value;
    double left;
    double width;
};

// Row by row, left to right.
constexpr Box kBoxes[] = {
    {153, "LUOGO DI NASCITA", "txtLuogoNasc", 1, 58},
    {153, "DATA DI NASCITA", "txtDataNasc", 61, 32},
    {153, "SESSO", "txtSesso", 95, 16},
    {153, "INDIRIZZO", "txtIndirizzo", 113, 76},
    {167, "CITTA'", "txtCitta", 1, 58},
    {167, "CAP", "txtCap", 61, 32},
    {167, "SETTORE PROFESSIONALE", "txtSettore", 95, 50},
    {167, "CODICE FISCALE", "txtCodFisc", 147, 42},
    {181, "TITOLO DI STUDIO", "txtStudio", 1, 92},
    {181, "LINGUE CONOSCIUTE", "txtLingue", 95, 94},
    {195, "PATENTE DI GUIDA", "txtPatente", 1, 92},
    {195, "PARTITA IVA", "txtPartitaIva", 95, 45},
    {195, "CITTADINANZA", "txtCittadinanza", 142, 47},
    {209, "DOCUMENTO", "txtDocumento", 1, 56},
    {209, "ENTE RILASCIO", "txtEnteRil", 59, 44},
    {209, "DATA RILASCIO", "txtInizioTes", 105, 41},
    {209, "DATA SCADENZA", "txtFineTes", 148, 41},
    {223, "E-MAIL", "txtEmail", 1, 92},
    {223, "TEL. CASA", "txtTel", 95, 45},
    {223, "TEL. CELLULARE", "txtCel", 142, 47},
    {237, "COMPETENZE INFORMATICHE", "txtCompetenze", 1, 92},
    {237, "DISPONIBILITA'", "txtDisponibilita", 95, 94},
    {251, "RUOLO NEL GRUPPO", "txtEsperienze", 1, 188},
    {265, "NOTE", "txtNote", 1, 188},
};

} // namespace

const std::array<const char*, PersonCardDocument::kTexts>& PersonCardDocument::textNames()
{
    static const std::array<const char*, kTexts> names = {
        "txtCandidato",  "txtSesso",      "txtDataNasc",   "txtCittadinanza",  "txtLuogoNasc",
        "txtIndirizzo",  "txtCitta",      "txtCap",        "txtSettore",       "txtCodFisc",
        "txtPartitaIva", "txtPatente",    "txtStudio",     "txtLingue",        "txtEmail",
        "txtTel",        "txtCel",        "txtDocumento",  "txtEnteRil",       "txtInizioTes",
        "txtFineTes",    "txtEsperienze", "txtCompetenze", "txtDisponibilita", "txtNote"};
    return names;
}

PersonCardDocument::PersonCardDocument()
    : m_page(Report::a4(QPageLayout::Portrait))
{
    using namespace Report;
    m_page.add(rectangle(QStringLiteral("shpTitolo"), QRectF(1, 1, 188, 8), kRoyalBlue, kRoyalBlue));
    m_page.add(text(QStringLiteral("txtCandidato"), QRectF(2, 2.2, 186, 6), font(QStringLiteral("Arial"), 12),
                    Qt::AlignCenter, Qt::white));
    m_page.add(picture(QStringLiteral("imgLogo"), QRectF(1, 11, 188, 140)));

    const QFont captionFont = font(QStringLiteral("Arial"), 8, true);
    const QFont valueFont = font(QStringLiteral("Arial"), 8);
    for (const Box& box : kBoxes) {
        const QString value = QString::fromLatin1(box.value);
        const QString suffix = value.mid(3);
        const double x = box.left;
        const double t = box.top;
        const double w = box.width;
        m_page.add(
            rectangle(QStringLiteral("shpCaption") + suffix, QRectF(x, t, w, 4.8), kRoyalBlue, kRoyalBlue));
        Object& caption =
            m_page.add(text(QStringLiteral("lblCaption") + suffix, QRectF(x + 1, t + 1, w - 2, 3.6),
                            captionFont, Qt::AlignLeft | Qt::AlignVCenter, Qt::white));
        caption.text = QString::fromLatin1(box.caption);
        m_page.add(
            rectangle(QStringLiteral("shpValore") + suffix, QRectF(x, t + 5, w, 6), QColor(), Qt::black));
        const Qt::Alignment horizontal =
            value == QLatin1String("txtSesso") ? Qt::AlignHCenter : Qt::AlignLeft;
        m_page.add(text(value, QRectF(x + 1, t + 6.4, w - 2, 4), valueFont, horizontal | Qt::AlignVCenter));
    }
}

void PersonCardDocument::setText(const QString& name, const QString& text)
{
    m_page.setText(name, TextRules::trim(text));
}

void PersonCardDocument::setPhoto(const QImage& photo)
{
    m_page.setPicture(QStringLiteral("imgLogo"), photo);
}

void PersonCardDocument::prepare()
{
    m_page.setOrientation(QPageLayout::Portrait);
    m_page.prepare();
}
