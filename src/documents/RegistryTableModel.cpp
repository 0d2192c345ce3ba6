#include "documents/RegistryTableModel.h"

#include <array>

namespace {

constexpr std::array<RegistryTableModel::Column, RegistryTableModel::kColumnCount> kColumns = {{
    {u"N.", 60, false},
    {u"Cognome e nome", 220, false},
    {u"Data nascita", 150, false},
    {u"Cittadinanza", 200, false},
    {u"Luogo nascita", 200, true},
    {u"Indirizzo residenza", 250, true},
    {u"Citt\u00E0", 220, true},
    {u"CAP", 100, true},
    {u"Settore professionale", 200, false},
    {u"Codice fiscale", 180, false},
    {u"Partita IVA", 150, true},
    {u"Patente di guida", 200, false},
    {u"Titolo di studio", 250, false},
    {u"Lingue conosciute", 250, false},
    {u"E-mail", 220, true},
    {u"Tel. casa", 180, false},
    {u"Tel. cellulare", 180, true},
    {u"Documento", 280, false},
    {u"Ente di rilascio", 200, true},
    {u"Data rilascio", 150, true},
    {u"Data scadenza", 150, true},
    {u"Ruolo nel gruppo", 350, true},
    {u"Competenze informatiche", 350, true},
    {u"Disponibilit\u00E0", 200, true},
    {u"Note", 350, true},
    {u"Da ricontattare", 120, true},
}};

} // namespace

const RegistryTableModel::Column& RegistryTableModel::column(int column)
{
    return kColumns[std::size_t(column)];
}

RegistryTableModel::RegistryTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void RegistryTableModel::setTable(RegistryTable table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int RegistryTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount();
}

int RegistryTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant RegistryTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.column() == 0)
        return index.row() < m_table.cardCount() ? QString::number(m_table.position(index.row())) : QString();
    return m_table.text(index.row(), index.column() - 1);
}

bool RegistryTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !kColumns[std::size_t(index.column())].editable)
        return false;
    const QString text = value.toString();
    if (text == m_table.text(index.row(), index.column() - 1))
        return true;
    m_table.setText(index.row(), index.column() - 1, text);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags RegistryTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (kColumns[std::size_t(index.column())].editable)
        result |= Qt::ItemIsEditable;
    return result;
}

QVariant RegistryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount)
        return {};
    return QString::fromUtf16(kColumns[std::size_t(section)].header);
}
