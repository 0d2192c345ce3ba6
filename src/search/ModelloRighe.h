#pragma once

#include "search/ResultLines.h"

#include <QAbstractListModel>
#include <QFont>
#include <QSize>

// The result lines as list items: "Courier New" 12, black, each item 1600 pixels wide so that
// long lines scroll sideways. Lines are given all at once, already in list order, and become
// text only when a row is shown or read.
class ModelloRighe : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kLarghezzaVoce = 1600;

    explicit ModelloRighe(QObject* parent);

    void setRighe(ResultLines lines);
    const ResultLines& righe() const { return m_righe; }
    void svuota() { setRighe(ResultLines()); }

    // Asked once per line when the view lays the list out: answered without the generic checks.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    ResultLines m_righe;
    QFont m_font;
    QSize m_dimensioneVoce;
};
