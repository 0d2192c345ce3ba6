#pragma once

#include "import/ImportPlan.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

// The rows of an import as the preview table shows them: a tick to import, the sheet row, the
// outcome, the person and what is missing or will not be stored as it stands.
class ImportPreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Importa,
        Riga,
        Esito,
        Nome,
        DataNascita,
        CodiceFiscale,
        Foto,
        DaCompletare,
        Avvisi,
        ColumnCount
    };

    explicit ImportPreviewModel(QObject* parent);

    void setRighe(QList<ImportPlan::Riga> righe);
    const QList<ImportPlan::Riga>& righe() const { return m_righe; }
    // The photos of the chosen folder by folded name (ImportAppend::indiceFoto), for the "Foto" column.
    void setFoto(QHash<QString, QString> indice);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    static QString avvisi(const ImportPlan::Riga& riga);

private:
    QList<ImportPlan::Riga> m_righe;
    QHash<QString, QString> m_foto;
};
