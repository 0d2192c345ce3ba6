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
            "Nuovo. Compila almeno cognome e nome, sesso, e-mail, cellulare e ruolo nel gruppo e, per "
            "la pagina del gruppo, anche le note; carica la foto con Carica foto (o scattala con la "
            "Webcam), conferma il ritaglio nella finestra Ritaglia foto e premi Salva."),
        QStringLiteral(
            "Il primo gruppo. Torna alla schermata di avvio, premi \"Crea nuovo gruppo\", scrivi il "
            "nome del gruppo e conferma con \"Applica e chiudi\"."),
        QStringLiteral(
            "La prima pagina stampata. Premi \"Apri gruppo esistente\", scegli il gruppo e premi "
            "\"Apri archivio\". Con la freccia verde del primo riquadro (A) porta nella pagina una "
            "persona dell'archivio anagrafico. Il riquadro A deve avere tutte e cinque le caselle "
            "compilate (cognome e nome, ruolo, note, e-mail e cellulare): completa quelle rimaste "
            "vuote, poi premi Salva. Premi Stampa: nella finestra che si apre premi \"Stampa\" e "
            "scegli la stampante."),
        QStringLiteral(
            "Un PDF. Nella stessa finestra premi \"Salva PDF\", scegli la cartella e il nome del file e "
            "conferma: il programma ti dice dove ha salvato il file e ti offre di aprirlo. Spunta "
            "\"Stampa tutte le pagine\" per avere tutte le pagine del gruppo in un solo documento."),
        QStringLiteral(
            "L'esportazione. Nell'Archivio Anagrafico premi Esporta e, nella finestra con la tabella, "
            "scegli il formato (XLS, XLSX oppure ODS) e premi l'icona di Excel: il file con tutte le "
            "schede si apre con qualsiasi foglio di calcolo."),
    };
}

QStringList capitoloRitaglio()
{
    return {
        QStringLiteral(
            "Ogni foto che scegli per una scheda o per un riquadro di un gruppo, con Carica foto, con "
            "la Webcam o con un clic sul riquadro, passa dalla finestra Ritaglia foto. La finestra "
            "mostra la foto intera con un riquadro nella forma della foto della scheda (3:4, un poco "
            "più stretto per i riquadri dei gruppi), già posto attorno al volto che il programma ha "
            "trovato."),
        QStringLiteral(
            "Sposta il riquadro trascinandolo con il mouse o con i tasti freccia; allargalo o "
            "stringilo con la rotellina, con i tasti + e - o con i pulsanti + e − della finestra. "
            "\"Conferma\" (o Invio) tiene il ritaglio; \"Annulla\" (o Esc) lascia la foto com'era. La "
            "foto non viene mai deformata: viene soltanto tagliata."),
        QStringLiteral(
            "Due avvisi in basso dicono quando il programma non ha trovato un volto (il riquadro "
            "parte allora in alto al centro) e quando la parte scelta è più piccola della foto della "
            "scheda e verrà ingrandita."),
        QStringLiteral(
            "Per rifare il ritaglio di una foto già presente usa il pulsante Ritaglia foto sotto la "
            "foto della scheda, oppure fai clic con il tasto destro sulla foto della scheda o di un "
            "riquadro e scegli \"Ritaglia\"."),
    };
}

QStringList capitoloFotoCartella()
{
    return {
        QStringLiteral(
            "Il pulsante Importa foto da cartella, sotto i comandi della foto nell'Archivio "
            "Anagrafico, porta in un colpo solo le foto di un'intera cartella nelle loro schede. "
            "Chiama ogni file con il codice fiscale della persona oppure con il suo cognome e nome, in "
            "qualsiasi ordine: maiuscole, accenti, spazi, punti, trattini, trattini bassi e apostrofi "
            "non contano, così Rossi Maria.jpg, maria_rossi.jpg e ROSSI-MARIA.JPG vanno tutti nella "
            "scheda ROSSI MARIA."),
        QStringLiteral(
            "Premi il pulsante della cartella e sceglila: la tabella elenca ogni file con una "
            "miniatura, la scheda abbinata, il ritaglio proposto e che cosa accadrà. Il programma non "
            "tira a indovinare: un file che corrisponde a due schede, o due file per la stessa scheda, "
            "restano fuori e sono elencati; una foto che sostituirebbe quella già presente nella scheda "
            "resta senza spunta finché non la spunti tu; i file che non sono immagini, quelli "
            "danneggiati, quelli oltre 100 megapixel o illeggibili sono elencati con il motivo."),
        QStringLiteral(
            "\"Applica\" scrive le foto spuntate, ciascuna tagliata in 3:4 con il ritaglio proposto e "
            "intera; puoi fermarlo fra una foto e l'altra. Al termine un rapporto dice quali foto sono "
            "state scritte e quali saltate, e perché."),
    };
}

QStringList capitoloConsensi()
{
    return {
        QStringLiteral(
            "Il pulsante con lo scudo, sotto i comandi della foto nell'Archivio Anagrafico, apre i "
            "consensi della scheda mostrata: il consenso al trattamento dei dati personali con la sua "
            "data, chi lo ha dato (la persona stessa oppure un genitore o tutore, di cui scrivi il "
            "nome), il consenso alle foto e una nota. \"Salva\" li registra nel file "
            "Archivio_Anagrafico_Consensi.txt della cartella del programma; se chiudi la finestra con "
            "modifiche non salvate, il programma chiede se salvarle."),
        QStringLiteral(
            "Se la persona nega il consenso alle foto, la sua scheda stampata e le pagine dei gruppi "
            "in cui compare con lo stesso cognome e nome mostrano la sagoma al posto della foto."),
        QStringLiteral(
            "\"Stampa modulo\" stampa il modulo di consenso da far firmare, già compilato con i dati "
            "della persona; \"Salva PDF\" lo scrive in un file PDF. Il nome dell'associazione scritto "
            "nella casella Associazione compare nel modulo. Il testo del modulo è nel file Modulo "
            "consenso.txt della cartella del programma e si può modificare: la prima riga è il "
            "titolo, ogni riga è un paragrafo e le righe scritte in maiuscolo sono stampate in "
            "grassetto."),
    };
}

QStringList capitoloPrivacy()
{
    return {
        QStringLiteral(
            "Il pulsante Privacy dell'Archivio Anagrafico ha due comandi per la scheda mostrata. "
            "\"Esporta dati della persona\" raccoglie in un unico file zip tutto ciò che il programma "
            "conserva su di lei: la scheda in PDF e in CSV, la foto, gli allegati, i consensi e i "
            "riquadri dei gruppi che portano il suo nome. È il file da consegnare a chi chiede i "
            "propri dati."),
        QStringLiteral(
            "\"Cancella persona\" elenca prima tutto ciò che sarà rimosso: la scheda, sostituita da una "
            "scheda vuota nella stessa posizione, la foto, gli allegati che nessun'altra scheda usa, i "
            "file dell'esportazione dell'archivio e, se spunti la casella, anche i riquadri dei gruppi "
            "con il suo nome e le loro foto. Premuto \"Cancella persona\", il programma chiede ancora "
            "una conferma con il nome della persona."),
        QStringLiteral(
            "Ogni passo è annotato nel file Cancellazioni.log con la data e la posizione della scheda, "
            "mai con il nome. Se la cancellazione si interrompe, per esempio per un'interruzione di "
            "corrente, alla successiva apertura dell'Archivio Anagrafico il programma propone di "
            "completarla. I backup fatti prima della cancellazione contengono ancora i dati della "
            "persona: eliminali dalla finestra dei backup, se serve."),
    };
}

QStringList capitoloGuidaEInformazioni()
{
    return {
        QStringLiteral("Il pulsante Guida di ogni schermata apre la guida in linea al capitolo di quella "
                       "schermata. Dalla guida in linea, \"Visualizza guida in formato PDF\" apre questo "
                       "documento, il file Guida.pdf della cartella del programma."),
        QStringLiteral(
            "Nella schermata di avvio il pulsante Crediti mostra chi ha realizzato il programma, con il "
            "collegamento al sito; il pulsante Informazioni apre la schermata delle informazioni, con "
            "l'indirizzo per scrivere agli autori e il pulsante Verifica condivisione."),
    };
}

QStringList capitoloCondivisione()
{
    return {
        QStringLiteral(
            "Più postazioni possono usare gli stessi archivi quando la cartella del programma è "
            "condivisa in rete (una cartella condivisa di Windows o di Samba, oppure NFS). Ogni "
            "lettura e ogni salvataggio bloccano l'archivio per pochi millesimi di secondo, così due "
            "postazioni non scrivono mai insieme la stessa scheda; se una scheda è stata cambiata da "
            "un'altra postazione dopo che l'hai aperta, al salvataggio il programma chiede se "
            "sovrascriverla, mostrare l'altra versione o annullare."),
        QStringLiteral(
            "Questa protezione funziona soltanto se la cartella condivisa rispetta i blocchi. "
            "\"Verifica condivisione\", nella schermata delle informazioni, lo controlla con due "
            "postazioni: sulla prima premi \"Tieni il blocco di prova\", che resta per un minuto; entro "
            "quel minuto, sulla seconda premi \"Verifica\". Se la seconda postazione viene respinta, la "
            "cartella protegge gli archivi; altrimenti il messaggio dice che non li protegge e "
            "perché."),
        QStringLiteral(
            "Una cartella che non concede alcun blocco viene segnalata subito e l'archivio non si apre. "
            "All'avvio il programma legge anche le opzioni con cui la cartella è montata e avvisa di "
            "quelle che lasciano a ogni postazione una copia propria dei dati o fingono i blocchi: su "
            "SMB nobrl, cache=loose, cache=singleclient e vers=1.0, su NFS nolock e local_lock. Non "
            "usarle: per SMB monta la cartella con vers=3.1.1 e cache=strict (l'impostazione "
            "predefinita) oppure cache=none."),
        QStringLiteral(
            "Chi tiene il blocco di un archivio scrive il nome della postazione, l'utente e l'ora nel "
            "file che ha il nome dell'archivio seguito da .blocco: una postazione che trova l'archivio "
            "occupato li mostra. Il blocco appartiene al sistema operativo: se una postazione si "
            "blocca o perde la rete, il server lo libera da solo (dopo circa 70 secondi su SMB, 90 su "
            "NFS 4). Cancellare il file .blocco non libera nulla; per fare prima, l'amministratore "
            "chiude sul server il file aperto da quella postazione."),
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
         {QStringLiteral("I pulsanti Stampa e Anteprima della scheda anagrafica e della pagina del gruppo "
                         "aprono una piccola finestra con tre pulsanti: \"Annulla\" la chiude, \"Salva "
                         "PDF\" scrive il documento in un file PDF (il nome proposto è quello della "
                         "persona o del gruppo e della pagina, nella cartella usata l'ultima volta), "
                         "\"Stampa\" apre la finestra della stampante e \"Mostra anteprima\" mostra il "
                         "documento a video. Alla fine del salvataggio un messaggio indica il file e "
                         "offre di aprirlo; se il sistema non ha un programma per aprirlo, il messaggio "
                         "lo dice e il file resta dov'è."),
          QStringLiteral("Nelle finestre della pagina del gruppo la casella \"Stampa tutte le pagine\" "
                         "mette tutte le pagine del gruppo, in ordine, in un solo documento. Gli elenchi "
                         "della ricerca, delle persone da ricontattare e delle scadenze hanno anche loro "
                         "\"Salva PDF\" accanto a \"Stampa\", con la data di oggi nel nome del file."),
          QStringLiteral("L'anteprima di stampa mostra la pagina al 100 %. In alto ha i suoi comandi: "
                         "\"Stampa\" (Ctrl+P), \"Salva PDF\" (Ctrl+S), \"Zoom +\" e \"Zoom -\", \"100%\", "
                         "\"Pagina intera\", \"Schermo intero\" (F11) e \"Chiudi\"; passando con il mouse "
                         "sopra un comando ne leggi la descrizione, e il tasto Tab li raggiunge tutti."),
          QStringLiteral("Anche la voce \"Stampa su file (PDF)\" della finestra della stampante scrive un "
                         "PDF: come quelli di \"Salva PDF\", il suo testo si può cercare e copiare.")},
         {},
         {QStringLiteral("TfrmStampaProdotto"), QStringLiteral("TfrmAnteprimaProdotto"),
          QStringLiteral("TfrmStampaCandidati"), QStringLiteral("TfrmAnteprimaCandidati"),
          QStringLiteral("PreviewWindow")}});
    result.append(
        topic(Topic::ArchivioAnagrafico, {QStringLiteral("TfrmCandidati"), QStringLiteral("TfrmZoom")}));
    result.append(
        {QStringLiteral("Ritaglia foto"), capitoloRitaglio(), {}, {QStringLiteral("TfrmRitaglio")}});
    result.append({QStringLiteral("Importa foto da cartella"),
                   capitoloFotoCartella(),
                   {},
                   {QStringLiteral("TfrmFotoCartella")}});
    result.append({QStringLiteral("Consensi"), capitoloConsensi(), {}, {QStringLiteral("TfrmConsensi")}});
    result.append({QStringLiteral("Privacy: i dati della persona e la cancellazione"),
                   capitoloPrivacy(),
                   {},
                   {QStringLiteral("TfrmCancellaPersona")}});
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
    GuideChapter esportazione = topic(Topic::Esportazione, {QStringLiteral("TfrmExpCandidati")});
    esportazione.title = QStringLiteral("Esportazione dell'archivio anagrafico (XLS, XLSX, ODS)");
    result.append(esportazione);
    result.append(topic(Topic::Importazione, {QStringLiteral("TfrmImporta")}));
    result.append(
        topic(Topic::Scadenze, {QStringLiteral("TfrmScadenze"), QStringLiteral("TfrmAvvisoScadenze")}));
    result.append(topic(Topic::Backup, {QStringLiteral("TfrmBackup")}));
    result.append({QStringLiteral("Guida, crediti e informazioni"),
                   capitoloGuidaEInformazioni(),
                   {},
                   {QStringLiteral("TfrmGuida"), QStringLiteral("TfrmSplash"), QStringLiteral("TfrmInfo")}});
    result.append({QStringLiteral("Verifica condivisione: più postazioni in rete"),
                   capitoloCondivisione(),
                   {},
                   {QStringLiteral("TfrmVerificaCondivisione")}});
    return result;
}
