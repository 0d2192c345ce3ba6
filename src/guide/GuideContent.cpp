#include "guide/GuideContent.h"

#include "app/HelpTopics.h"

namespace {

using HelpTopics::Topic;

QStringList primiPassi()
{
    return {
        QStringLiteral("Primo accesso. Avvia Folvara: nella schermata di accesso scrivi la password "
                       "BENVENUTO (maiuscole e minuscole sono uguali) e confermala."),
        QStringLiteral(
            "Cambia la password. Nella schermata di accesso premi \"Cambia password\", scrivi la "
            "password attuale e due volte quella nuova, poi premi OK. Dal prossimo accesso vale la "
            "nuova password."),
        QStringLiteral(
            "La prima scheda con foto. Nella schermata di avvio apri l'Archivio Anagrafico e premi "
            "Nuovo. Compila almeno cognome e nome, sesso, e-mail, cellulare e ruolo nel gruppo, "
            "carica la foto con Carica foto (o scattala con la Webcam) e premi Salva."),
        QStringLiteral(
            "Il primo gruppo. Torna alla schermata di avvio, premi \"Crea nuovo gruppo\", scrivi il "
            "nome del gruppo e conferma con \"Applica e chiudi\"."),
        QStringLiteral(
            "La prima pagina stampata. Premi \"Apri gruppo esistente\", scegli il gruppo e premi "
            "\"Apri archivio\". Con la freccia verde di un riquadro porta nella pagina una persona "
            "dell'archivio anagrafico, premi Salva e poi Stampa; nella finestra che si apre premi "
            "\"Stampa\"."),
        QStringLiteral(
            "Un PDF. Nella stessa finestra premi \"Salva PDF\", scegli la cartella e il nome del file e "
            "conferma: il programma ti dice dove ha salvato il file e ti offre di aprirlo. Spunta "
            "\"Stampa tutte le pagine\" per avere tutte le pagine del gruppo in un solo documento."),
        QStringLiteral(
            "L'esportazione. Nell'Archivio Anagrafico premi Esporta e, nella finestra con la tabella, "
            "l'icona di Excel: il file con tutte le schede si apre con qualsiasi foglio di calcolo."),
    };
}

GuideChapter topic(Topic which, QStringList screens)
{
    return {HelpTopics::title(which), HelpTopics::ownParagraphs(which), {}, std::move(screens)};
}

} // namespace

QList<GuideChapter> GuideContent::chapters()
{
    const QStringList gruppi = HelpTopics::ownParagraphs(Topic::CreazioneApertura);
    QList<GuideChapter> result;
    result.append(topic(Topic::Panoramica, {}));
    result.append(
        {QStringLiteral("Primi passi"),
         {QStringLiteral("Sette passi portano dal primo accesso al primo elenco stampato, salvato in PDF "
                         "ed esportato. I nomi dei pulsanti a immagine sono quelli del capitolo "
                         "seguente.")},
         primiPassi(),
         {}});
    result.append(
        {QStringLiteral("I pulsanti a immagine"),
         {QStringLiteral("Molti comandi delle schermate sono pulsanti a immagine. Passando con il mouse "
                         "sopra un pulsante, la riga dei suggerimenti in basso ne descrive l'azione. "
                         "Ecco tutti i pulsanti, con il loro nome e che cosa fanno.")},
         {},
         {},
         true});
    result.append(
        {QStringLiteral("Accesso e cambio della password"),
         {QStringLiteral("All'avvio il programma chiede la password. Dopo l'installazione la password "
                         "è BENVENUTO; cambiala subito con il pulsante \"Cambia password\" della "
                         "schermata di accesso: scrivi la password attuale, poi due volte quella nuova, "
                         "e premi OK.")},
         {},
         {QStringLiteral("TfrmPassword"), QStringLiteral("TfrmCambiaPassword")}});
    result.append(
        {QStringLiteral("La schermata di avvio"), gruppi.mid(0, 2), {}, {QStringLiteral("TfrmAvvio")}});
    result.append(
        {QStringLiteral("Crea nuovo gruppo"), gruppi.mid(2, 2), {}, {QStringLiteral("TfrmCreaCatalogo")}});
    result.append(
        {QStringLiteral("Apri gruppo esistente"), gruppi.mid(4), {}, {QStringLiteral("TfrmApriCatalogo")}});
    result.append(topic(Topic::SchedarioGruppo,
                        {QStringLiteral("TfrmListinoPrezzi"), QStringLiteral("GroupPageDocument")}));
    result.append(
        {QStringLiteral("Stampa, anteprima e PDF"),
         {QStringLiteral("Le finestre di stampa e di anteprima della scheda anagrafica e della pagina "
                         "del gruppo hanno tre pulsanti: \"Annulla\" chiude la finestra, \"Salva PDF\" "
                         "scrive il documento in un file PDF (il nome proposto è quello della persona "
                         "o del gruppo e della pagina, nella cartella usata l'ultima volta) e "
                         "\"Stampa\" o \"Mostra anteprima\" lo manda alla stampante o lo mostra a "
                         "video. Alla fine del salvataggio un messaggio indica il file e permette di "
                         "aprirlo."),
          QStringLiteral("Nelle finestre della pagina del gruppo la casella \"Stampa tutte le pagine\" "
                         "mette tutte le pagine del gruppo, in ordine, in un solo documento. Gli elenchi "
                         "della ricerca e delle persone da ricontattare hanno anche loro \"Salva PDF\" "
                         "accanto a \"Stampa\".")},
         {},
         {QStringLiteral("TfrmStampaProdotto")}});
    result.append(topic(Topic::ArchivioAnagrafico, {QStringLiteral("TfrmCandidati")}));
    result.append(
        {QStringLiteral("Allegati"),
         {QStringLiteral("Il pulsante Allega file dell'Archivio Anagrafico apre la finestra degli "
                         "allegati della scheda: fino a tre file, ciascuno con la sua descrizione. Il "
                         "file scelto viene copiato nella cartella Documenti_Allegati del programma; "
                         "\"Apri\" lo apre con il programma del sistema.")},
         {},
         {QStringLiteral("TfrmAllegaCartella")}});
    result.append(
        {QStringLiteral("Webcam"),
         {QStringLiteral("Il pulsante Webcam apre la finestra di acquisizione: accendi la webcam, "
                         "inquadra la persona, cattura la foto e portala nella scheda; la foto viene "
                         "salvata con la scheda.")},
         {},
         {QStringLiteral("TfrmWebCam")}});
    result.append(
        {QStringLiteral("Ricerca nell'archivio"),
         {QStringLiteral("La ricerca elenca le schede che soddisfano tutti i filtri compilati; un "
                         "doppio clic su una riga apre la scheda nell'Archivio Anagrafico, o la porta "
                         "nel riquadro della pagina del gruppo da cui è stata aperta. L'elenco si "
                         "stampa con \"Stampa\" o si salva con \"Salva PDF\".")},
         {},
         {QStringLiteral("TfrmTrovaCandidati")}});
    result.append(
        {QStringLiteral("Persone da ricontattare"),
         {QStringLiteral("Il riepilogo elenca le schede con la casella \"Da ricontattare\" spuntata; "
                         "anche questo elenco si stampa o si salva in PDF.")},
         {},
         {QStringLiteral("TfrmDaRicontattare")}});
    result.append({QStringLiteral("Controllo del codice fiscale e della partita IVA"),
                   {QStringLiteral("I pulsanti accanto al codice fiscale e alla partita IVA della scheda ne "
                                   "verificano il carattere di controllo e indicano l'esito.")},
                   {},
                   {QStringLiteral("TfrmCodFisc"), QStringLiteral("TfrmPartitaIva")}});
    result.append(topic(Topic::Esportazione, {QStringLiteral("TfrmExpCandidati")}));
    result.append(topic(Topic::Importazione, {QStringLiteral("TfrmImporta")}));
    result.append(topic(Topic::Scadenze, {QStringLiteral("TfrmScadenze")}));
    result.append(topic(Topic::Backup, {QStringLiteral("TfrmBackup")}));
    return result;
}
