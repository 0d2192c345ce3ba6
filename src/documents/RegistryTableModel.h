#pragma once

#include "documents/RegistryTable.h"

#include <QAbstractTableModel>

// The registry table as the screen shows it: the position column, then the 25 field columns,
// some of them editable. Changes stay in the table and never reach the archive.
class RegistryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnCount = RegistryTable::kColumns + 1;

    struct Column {
        const char16_t* header;
        int width;
        bool editable;
    };
    static const Column& column(int column);

    explicit RegistryTableModel(QObject* parent);

    // Shows a table read elsewhere, in place of the current one.
    void setTable(RegistryTable table);
    const RegistryTable& table() const { return m_table; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    RegistryTable m_table;
};
