#pragma once

#include <QByteArray>
#include <QString>

// The bytes of the record an editor shows, as the archive held them when the editor read or
// wrote it. A save compares them with the archive under the lock, so that a change made
// meanwhile by another workstation is never overwritten unasked.
class LoadedRecord {
public:
    void ricorda(const QString& archivio, const QString& posizione, const QByteArray& record);
    void dimentica();
    // The bytes to compare when the record at that position of that archive is saved; empty
    // when the editor did not read it (a new record, another position or archive).
    QByteArray perSalvare(const QString& archivio, const QString& posizione) const;

private:
    QString m_archivio;
    QString m_posizione;
    QByteArray m_record;
};
