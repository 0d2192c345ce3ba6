#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

// The person record of the registry archive: 32 short-string fields, 3612 bytes.
class TSchedaAnagrafica {
public:
    static constexpr int kSize = 3612;

    // The fields in file order. Several names are legacy: Esperienze holds the
    // role in the group, InizioTes and FineTes the document's issue and expiry dates.
    enum Campo {
        Candidato,
        Sesso,
        DataNasc,
        Cittadinanza,
        LuogoNasc,
        Indirizzo,
        Citta,
        Cap,
        Settore,
        CodFisc,
        PartitaIva,
        Patente,
        Studio,
        Lingue,
        Email,
        Tel,
        Cel,
        Documento,
        EnteRil,
        InizioTes,
        FineTes,
        Esperienze,
        Competenze,
        Disponibilita,
        Note,
        Ricontatta,
        File01,
        File02,
        File03,
        Desc01,
        Desc02,
        Desc03,
        NumeroCampi
    };

    // The 25 text fields shown in edit fields, Candidato to Note.
    static constexpr int kCampiTesto = 25;

    struct Layout {
        const char* name; // the field's name, also its edit field's name without "txt"
        int offset;
        int capacity;
    };
    static const std::array<Layout, NumeroCampi>& layout();
    static const Layout& layoutOf(Campo campo) { return layout()[campo]; }

    // The registry archive of a program folder.
    static QString archivio(const QString& programFolder);

    // The two flag texts of Ricontatta.
    static QString flagSi();
    static QString flagNo();

    TSchedaAnagrafica();

    // The stored text, not trimmed.
    QString testo(Campo campo) const;
    // The stored bytes of a field (Windows-1252), trimmed of codes 32 or less, without a copy.
    QByteArrayView trimmedBytes(Campo campo) const { return trimmedBytes(m_buffer, campo); }
    // The same on a record read elsewhere (kSize bytes); a length byte beyond the capacity reads
    // the capacity, as the archive store reads it.
    static QByteArrayView trimmedBytes(QByteArrayView record, Campo campo);
    // True when every field is empty once trimmed: an erased card, kept so that positions stay.
    bool vuota() const { return vuota(m_buffer); }
    static bool vuota(QByteArrayView record);
    // Stores a screen text: trimmed, Windows-1252, cut to the field's capacity.
    void setTesto(Campo campo, const QString& text);
    // Ricontatta from the check box: "Sì" or "No", byte for byte.
    void setRicontatta(bool ticked);

    QByteArray& buffer() { return m_buffer; }
    const QByteArray& buffer() const { return m_buffer; }

private:
    QByteArray m_buffer;
};
