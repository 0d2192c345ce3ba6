#include "storage/LoadedRecord.h"

void LoadedRecord::ricorda(const QString& archivio, const QString& posizione, const QByteArray& record)
{
    m_archivio = archivio;
    m_posizione = posizione;
    m_record = record;
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
