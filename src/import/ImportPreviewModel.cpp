#include "import/ImportPreviewModel.h"

#include <QBrush>
#include <QColor>
#include <QFileInfo>

namespace {
using C = TSchedaAnagrafica;
}

ImportPreviewModel::ImportPreviewModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void ImportPreviewModel::setRighe(QList<ImportPlan::Riga> righe)
{
    beginResetModel();
    m_righe = std::move(righe);
    endResetModel();
}

void ImportPreviewModel::setFoto(QHash<QString, QString> indice)
{
    m_foto = std::move(indice);
    if (!m_righe.isEmpty())
        emit dataChanged(index(0, Foto), index(int(m_righe.size()) - 1, Foto), {Qt::DisplayRole});
}

int ImportPreviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_righe.size());
}

int ImportPreviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ImportPreviewModel::avvisi(const ImportPlan::Riga& riga)
{
    QStringList parts;
    if (!riga.troppoLunghi.isEmpty())
        parts << QStringLiteral("troppo lungo, sar\u00E0 accorciato: ") +
                     riga.troppoLunghi.join(QStringLiteral(", "));
    if (!riga.fuoriCodifica.isEmpty())
        parts << QStringLiteral("caratteri che saranno sostituiti: ") +
                     riga.fuoriCodifica.join(QStringLiteral(", "));
    if (!riga.cifrePerse.isEmpty())
        parts << QStringLiteral("numero mostrato con meno cifre di quelle che contiene: ") +
                     riga.cifrePerse.join(QStringLiteral(", "));
    if (!riga.senzaValore.isEmpty())
        parts << QStringLiteral("formula senza valore: ") + riga.senzaValore.join(QStringLiteral(", "));
    return parts.join(QStringLiteral("; "));
}

QVariant ImportPreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_righe.size())
        return {};
    const ImportPlan::Riga& riga = m_righe[index.row()];
    if (role == Qt::CheckStateRole && index.column() == Importa)
        return riga.importa ? Qt::Checked : Qt::Unchecked;
    // The tick box is read with the sheet row it imports.
    if (role == Qt::AccessibleTextRole && index.column() == Importa)
        return QStringLiteral("Importa la riga %1").arg(riga.rigaFoglio);
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case Riga:
            return riga.rigaFoglio;
        case Esito:
            return ImportPlan::testoEsito(riga);
        case Nome:
            return riga.values[C::Candidato];
        case DataNascita:
            return riga.values[C::DataNasc];
        case CodiceFiscale:
            return riga.values[C::CodFisc];
        case Foto:
            return QFileInfo(ImportAppend::fotoDi(m_foto, riga.values)).fileName();
        case DaCompletare:
            return riga.mancanti.join(QStringLiteral(", "));
        case Avvisi:
            return avvisi(riga);
        default:
            return {};
        }
    }
    if (role == Qt::BackgroundRole) {
        switch (riga.esito) {
        case ImportPlan::Esito::Nuova:
            return riga.avvisi() ? QBrush(QColor(0xFF, 0xF0, 0xD0)) : QVariant();
        case ImportPlan::Esito::Presente:
        case ImportPlan::Esito::ProbabilmentePresente:
        case ImportPlan::Esito::PresenteNelFile:
            return QBrush(QColor(0xFF, 0xFB, 0xC8));
        case ImportPlan::Esito::Rifiutata:
            return QBrush(QColor(0xFA, 0xD4, 0xD4));
        case ImportPlan::Esito::Importata:
            return QBrush(QColor(0xD8, 0xEE, 0xD8));
        }
    }
    if (role == Qt::ForegroundRole && index.column() == DaCompletare && !riga.mancanti.isEmpty())
        return QBrush(QColor(0xA5, 0x2A, 0x2A));
    return {};
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t* const kHeaders[ColumnCount] = {
        u"Importa",        u"Riga", u"Esito",         u"Cognome e nome", u"Data nascita",
        u"Codice fiscale", u"Foto", u"Da completare", u"Avvisi"};
    return QString::fromUtf16(kHeaders[section]);
}

Qt::ItemFlags ImportPreviewModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    // A row just imported is done: it cannot be ticked again.
    if (index.column() == Importa && index.row() < m_righe.size() &&
        m_righe[index.row()].esito != ImportPlan::Esito::Importata)
        result |= Qt::ItemIsUserCheckable;
    return result;
}

bool ImportPreviewModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != Importa || role != Qt::CheckStateRole)
        return false;
    m_righe[index.row()].importa = value.value<Qt::CheckState>() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}
