#include "documents/GroupPageDocument.h"

#include "storage/FotoGruppo.h"
#include "storage/TextRules.h"

namespace {

const QColor kGainsboro(0xDC, 0xDC, 0xDC);
const QColor kAliceBlue(0xF0, 0xF8, 0xFF);
const QColor kIvory(0xFF, 0xFF, 0xF0);
const QColor kBrown(0xA5, 0x2A, 0x2A);
const QColor kNavy(0x00, 0x00, 0x80);

QString named(const char* name, int slot)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + GroupPageDocument::letter(slot);
}

} // namespace

GroupPageDocument::GroupPageDocument()
    : m_page(Report::a4(QPageLayout::Portrait))
{
    using namespace Report;
    const QString arial = QStringLiteral("Arial");
    m_page.add(text(QStringLiteral("txtNome"), QRectF(1, mmFromUnits(2.27), 188, 4), font(arial, 8)));
    m_page.add(text(QStringLiteral("txtPagina"), QRectF(0, 273, 190, 4), font(arial, 8), Qt::AlignCenter));

    const double textLeft = mmFromUnits(103.56);
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    for (int slot = 0; slot < kSlots; ++slot) {
        const double top = boxTop(slot);
        m_page.add(rectangle(named("shpRiquadro", slot), QRectF(1, top, 188, 30),
                             slot % 2 == 0 ? kAliceBlue : kIvory, kGainsboro));
        m_page.add(picture(named("imgFoto", slot), QRectF(2, top + 1, 22, 28)));
        m_page.add(text(named("txtNome", slot), QRectF(textLeft, top + 1, 160, 7), font(arial, 16, true),
                        left, kBrown));
        m_page.add(text(named("txtUM", slot), QRectF(textLeft, top + 10, 160, 4), font(arial, 10), left));
        m_page.add(text(named("txtCaratteristiche", slot), QRectF(textLeft, top + 16, 160, 4),
                        font(arial, 10), left));
        m_page.add(text(named("txtCodice", slot), QRectF(textLeft, top + 22, mmFromUnits(410.46), 7),
                        font(arial, 12, true), left, kNavy));
        m_page.add(text(named("txtPrezzo", slot),
                        QRectF(mmFromUnits(532.91), top + mmFromUnits(82.39), mmFromUnits(171.59), 7),
                        font(arial, 12, true), Qt::AlignRight | Qt::AlignVCenter));
    }
}

void GroupPageDocument::fill(const GroupPageData& data)
{
    using TextRules::trim;
    for (int slot = 0; slot < kSlots; ++slot) {
        const GroupPageData::Slot& s = data.persone.at(slot);
        m_page.setPicture(named("imgFoto", slot), s.foto);
        m_page.setText(QStringLiteral("txtNome"), trim(data.groupName));
        m_page.setText(named("txtNome", slot), trim(s.nome));
        m_page.setText(named("txtUM", slot), trim(s.um));
        m_page.setText(named("txtCaratteristiche", slot), trim(s.caratteristiche));
        m_page.setText(named("txtCodice", slot), trim(s.codice));
        m_page.setText(named("txtPrezzo", slot), trim(s.prezzo));
    }
    m_page.setText(QStringLiteral("txtPagina"), trim(data.pageNumber));
}

void GroupPageDocument::prepare()
{
    m_page.setOrientation(QPageLayout::Portrait);
    m_page.prepare();
}

void withholdPhotos(GroupPageData& data, const std::function<bool(const QString& name)>& withheld)
{
    if (!withheld)
        return;
    for (GroupPageData::Slot& slot : data.persone) {
        if (withheld(slot.nome))
            slot.foto = FotoGruppo::bianca();
    }
}
