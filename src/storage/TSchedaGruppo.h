#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

#include <array>

// One page of a group archive: eight person slots A to H of five short-string fields,
// 625 bytes each, 5000 bytes in all.
class TSchedaGruppo {
public:
    static constexpr int kSize = 5000;
    static constexpr int kRiquadri = 8;
    static constexpr int kRiquadroSize = 625;

    // The fields of a slot (TRiquadroPersona) in file order. The names are legacy:
    // Codice holds the e-mail line, UM the role, Caratteristiche the notes, Prezzo the phone line.
    enum Campo { Codice, Nome, UM, Caratteristiche, Prezzo, NumeroCampi };

    struct Layout {
        const char* name; // the field's name, also its edit fields' names between "txt" and "_A"
        int offset;       // from the start of the slot
        int capacity;
    };
    static const std::array<Layout, NumeroCampi>& layout();
    static const Layout& layoutOf(Campo campo) { return layout()[campo]; }
    // Byte offset of a slot's field in the record.
    static int offset(int riquadro, Campo campo);
    // 'A' ... 'H'.
    static QChar lettera(int riquadro) { return QChar(u'A' + riquadro); }
    // "txtNome_C" and the like.
    static QString nomeCampo(Campo campo, int riquadro);

    TSchedaGruppo();

    // The stored text, not trimmed.
    QString testo(int riquadro, Campo campo) const;
    // Stores a screen text: trimmed, Windows-1252, cut to the field's capacity.
    void setTesto(int riquadro, Campo campo, const QString& text);

    QByteArray& buffer() { return m_buffer; }
    const QByteArray& buffer() const { return m_buffer; }

private:
    QByteArray m_buffer;
};
