#include "storage/LoadedRecord.h"

void LoadedRecord::ricorda(const QString& archivio, const QString& posizione, const QByteArray& record)
{
    m_archivio = archivio;
    m_posizione = posizione;
    // A deep copy: a scan hands records that point into its own read buffer.
    m_record = QByteArray(record.constData(), record.size());
}

void LoadedRecord::dimentica()
{
    *this = LoadedRecord();
}

QByteArray LoadedRecord::perSalvare(const QString& archivio, const QString& posizione) const
{
    if (posizione.isEmpty() || archivio != m_archivio || posizione != m_posizione)
        return QByteArray();
    return m_record;
}
