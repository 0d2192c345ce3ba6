#include "search/ExpiryModel.h"

#include "search/ModelloRighe.h"
#include "widgets/Looks.h"

#include <QBrush>
#include <QFontMetrics>

ExpiryModel::ExpiryModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_font(Looks::font(QStringLiteral("Courier New"), 12))
{
    m_itemSize = QSize(ModelloRighe::kLarghezzaVoce, QFontMetrics(m_font).height() + 2);
}

void ExpiryModel::setList(std::unique_ptr<ExpiryList> list)
{
    beginResetModel();
    m_list = std::move(list);
    endResetModel();
}

int ExpiryModel::position(int row) const
{
    return (m_list && row >= 0 && row < m_list->lineCount()) ? m_list->position(row) : 0;
}

int ExpiryModel::rowCount(const QModelIndex& parent) const
{
    return (parent.isValid() || !m_list) ? 0 : m_list->lineCount();
}

QVariant ExpiryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_list->line(index.row());
    case Qt::FontRole:
        return m_font;
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    case Qt::SizeHintRole:
        return m_itemSize;
    default:
        return {};
    }
}
