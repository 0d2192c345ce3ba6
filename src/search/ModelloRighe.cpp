#include "search/ModelloRighe.h"

#include "widgets/Looks.h"

#include <QBrush>
#include <QFontMetrics>

ModelloRighe::ModelloRighe(QObject* parent)
    : QAbstractListModel(parent)
    , m_font(Looks::font(QStringLiteral("Courier New"), 12))
{
    m_dimensioneVoce = QSize(kLarghezzaVoce, QFontMetrics(m_font).height() + 2);
}

void ModelloRighe::setRighe(ResultLines lines)
{
    beginResetModel();
    m_righe = std::move(lines);
    endResetModel();
}

QModelIndex ModelloRighe::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || column != 0 || row < 0 || row >= m_righe.size())
        return {};
    return createIndex(row, 0);
}

int ModelloRighe::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_righe.size());
}

QVariant ModelloRighe::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_righe.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_righe.line(index.row());
    case Qt::FontRole:
        return m_font;
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    case Qt::SizeHintRole:
        return m_dimensioneVoce;
    default:
        return {};
    }
}
