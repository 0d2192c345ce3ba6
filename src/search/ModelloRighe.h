#pragma once

#include <QAbstractListModel>
#include <QFont>
#include <QSize>
#include <QStringList>

// The result lines as list items: "Courier New" 12, black, each item 1600 pixels wide so that
// long lines scroll sideways. Lines are given all at once, already in list order.
class ModelloRighe : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kLarghezzaVoce = 1600;

    explicit ModelloRighe(QObject* parent);

    void setRighe(QStringList lines);
    const QStringList& righe() const { return m_righe; }
    void svuota() { setRighe({}); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QStringList m_righe;
    QFont m_font;
    QSize m_dimensioneVoce;
};
