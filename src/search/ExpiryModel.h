#pragma once

#include "search/ExpiryList.h"

#include <QAbstractListModel>
#include <QFont>
#include <QSize>

#include <memory>

// The deadlines list as list items, in the look of the search's result lines ("Courier New" 12,
// black, items wider than the list). Each line is made when the view asks for it.
class ExpiryModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ExpiryModel(QObject* parent);

    void setList(std::unique_ptr<ExpiryList> list);
    // The list shown; null until one is set.
    const ExpiryList* list() const { return m_list.get(); }
    // The card behind a row, 0 for headings and blank lines.
    int position(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::unique_ptr<ExpiryList> m_list;
    QFont m_font;
    QSize m_itemSize;
};
