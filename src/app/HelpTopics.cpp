#include "app/HelpTopics.h"

#include "app/Guida.h"
#include "platform/AppContext.h"
#include "platform/ModalRunner.h"

namespace {

QStringList introduzione()
{
    return {
        QStringLiteral(
            "Folvara è il programma pensato per compilare e archiviare elenchi di persone corredati di "
            "fotografia e recapiti, pronti da stampare su fogli A4. Partendo da un archivio anagrafico "
            "dettagliato puoi organizzare in pochi passi gruppi di ogni genere (classi, squadre, comitive di "
            "viaggio, associazioni), con la foto di ogni componente."),
        QStringLiteral(
            "Il programma è rivolto a chiunque debba tenere in ordine un gruppo di persone. Qualche esempio: "
            "l'insegnante che prepara gli elenchi della classe con le foto degli alunni; l'allenatore o la "
            "società sportiva che tiene traccia dei componenti della squadra; chi organizza eventi e viaggi "
            "e "
            "prepara le liste dei partecipanti; le associazioni e i gruppi culturali che archiviano i propri "
            "iscritti e stampano gli elenchi per le riunioni."),
    };
}

QStringList creazioneApertura()
{
    return {
        QStringLiteral(
            "La schermata di avvio ti permette di creare un nuovo gruppo oppure di gestire un gruppo "
            "già esistente. Come primo passo, premi il pulsante dell'ambiente di lavoro che ti "
            "interessa."),
        QStringLiteral(
            "Tutti i file di archivio si trovano nella cartella del programma. Per le copie di sicurezza "
            "usa il pulsante Backup in basso a destra: ogni backup è un unico file zip, controllato dopo "
            "la scrittura, che la stessa finestra verifica e ripristina (capitolo \"Backup e ripristino "
            "dei dati\")."),
        QStringLiteral(
            "Per creare un gruppo fai clic su \"Crea nuovo gruppo\", scrivi il nome completo del "
            "gruppo nella casella di testo della schermata che si apre e conferma con \"Applica e "
            "chiudi\", il pulsante in basso a destra; \"Annulla\" torna indietro senza creare nulla."),
        QStringLiteral(
            "Quando crei un gruppo, il programma crea nella propria cartella un file di archivio con "
            "estensione FVG. Ogni archivio può contenere un numero qualsiasi di schede, ciascuna con le foto "
            "e "
            "i commenti dei componenti. Ti consigliamo di dare al gruppo un nome completo, con parole chiave "
            "che identifichino con chiarezza la classe, la squadra, l'associazione o la comitiva."),
        QStringLiteral(
            "Per lavorare su un gruppo già creato premi \"Apri gruppo esistente\" nella schermata di "
            "avvio: l'elenco mostra tutti i gruppi. Fai clic sul nome che ti interessa e premi \"Apri "
            "archivio\"."),
        QStringLiteral("L'icona del cestino elimina il gruppo selezionato. Usala con attenzione: un archivio "
                       "eliminato non può più essere recuperato."),
    };
}

QStringList schedarioGruppo()
{
    return {
        QStringLiteral(
            "L'ambiente Schedario Gruppo serve a compilare, stampare e archiviare le schede dell'elenco dei "
            "componenti di un gruppo, otto persone con foto per ogni scheda. Nel riquadro di ogni persona il "
            "cognome e il nome si scrivono, in caratteri grandi, nella casella in alto a destra della foto; "
            "sotto seguono le altre caselle con i dati della persona."),
        QStringLiteral(
            "Puoi scrivere i dati direttamente nelle caselle oppure importarli dall'archivio anagrafico con "
            "i "
            "pulsanti a freccia verde presenti in ciascuno degli otto riquadri. L'importazione porta nel "
            "riquadro cognome e nome, ruolo nel gruppo, indirizzo e-mail, numero di cellulare e note della "
            "persona."),
        QStringLiteral(
            "Per creare una nuova scheda premi \"Nuovo\", carica le foto nei riquadri, compila le "
            "caselle e fai clic su \"Salva\". Per modificare una scheda esistente raggiungila con le "
            "frecce di scorrimento, apporta le modifiche e premi \"Salva\". "
            "Una scheda si salva solo quando il riquadro A, quello della persona in cima alla pagina, ha "
            "tutte e cinque le caselle compilate: \"Cognome e nome\", \"Ruolo\", \"Note\", \"E-mail\" e "
            "\"Cellulare\". Gli altri sette riquadri possono restare vuoti, del tutto o in parte. Se una "
            "casella del riquadro A è vuota, il messaggio nomina le caselle che mancano e il cursore va "
            "sulla prima di esse."),
        QStringLiteral(
            "Un esempio: un insegnante deve preparare gli elenchi degli alunni per una gita scolastica a "
            "Roma. "
            "Crea un gruppo chiamato, per esempio, \"Alunni gita a Roma\", scrive o importa i dati degli "
            "alunni e stampa gli elenchi su fogli A4 da portare con sé durante il viaggio."),
        QStringLiteral(
            "Un altro esempio: l'allenatore di una squadra giovanile vuole preparare le schede stampabili "
            "dei "
            "giocatori per un torneo estivo. Crea un gruppo chiamato \"Giocatori under 14 torneo estivo\", "
            "inserisce per ciascuno la squadra, il ruolo in campo e il numero di maglia, carica le foto "
            "ufficiali e stampa per lo staff gli elenchi di otto giocatori per pagina."),
        QStringLiteral(
            "Il pulsante \"Anteprima\" mostra l'anteprima di stampa della scheda corrente: è pensata per il "
            "formato A4 e riporta gli otto riquadri con le foto e le descrizioni dei componenti, il nome del "
            "gruppo in alto e, in basso, il numero di pagina, che corrisponde alla posizione della scheda "
            "nell'archivio. Il pulsante \"Stampa\" apre la finestra di stampa della scheda: lì \"Stampa\" "
            "sceglie la stampante e stampa, \"Salva PDF\" scrive la pagina in un file PDF."),
    };
}

QStringList archivioAnagrafico()
{
    return {
        QStringLiteral(
            "L'Archivio Anagrafico è lo schedario di tutti i componenti dei gruppi. Per ogni persona "
            "registra "
            "cognome e nome, sesso, luogo e data di nascita, cittadinanza, indirizzo, codice fiscale, "
            "partita "
            "IVA, settore professionale, titolo di studio, lingue straniere conosciute, indirizzo e-mail, "
            "telefono di casa e cellulare, patente di guida, un documento di identità con l'ente che lo ha "
            "rilasciato e le date di rilascio e di scadenza, ruolo nel gruppo, conoscenze informatiche, "
            "giorni "
            "e orari di disponibilità ed eventuali altre note."),
        QStringLiteral(
            "Ogni scheda può contenere la foto della persona, in formato JPEG o bitmap, adattata "
            "automaticamente al riquadro di anteprima. Ogni foto scelta passa dalla finestra \"Ritaglia "
            "foto\", che la taglia nella forma della scheda senza deformarla, con il volto al centro "
            "(capitolo \"Ritaglia foto\"). Per rifare il ritaglio premi il pulsante \"Ritaglia foto\" (le "
            "forbici a destra, sotto i pulsanti della foto; sulle pagine dei gruppi, l'angolo in basso a "
            "destra di ogni foto) o scegli \"Ritaglia\" nel menu del tasto destro sulla foto: la finestra "
            "riparte dall'ultimo ritaglio scelto. Un file che non è una foto leggibile non viene caricato e "
            "un messaggio ne dice il motivo."),
        QStringLiteral(
            "L'archivio anagrafico è anche lo storico di tutti i gruppi, consultabile in pochi istanti. Da "
            "qui "
            "puoi inviare un messaggio e-mail alla persona e verificare la correttezza del codice fiscale e "
            "della partita IVA; i dati dell'archivio possono essere importati nelle schede dei gruppi."),
        QStringLiteral(
            "Per aggiungere una scheda premi \"Nuovo\", compila le caselle, carica la foto e premi "
            "\"Salva\". "
            "Sono obbligatori cognome e nome, sesso, indirizzo e-mail, numero di cellulare e ruolo nel "
            "gruppo. "
            "Le date di nascita, di rilascio e di scadenza occupano al massimo 10 caratteri, come "
            "03/05/2027, 3/5/27 o 3 mag 27; una data scritta per esteso, come 3 maggio 2027, al "
            "salvataggio è proposta nella forma 03/05/2027. "
            "Per modificare una scheda raggiungila con le frecce di scorrimento o con la ricerca, apporta le "
            "modifiche e premi \"Salva\"."),
        QStringLiteral(
            "Il pulsante \"Duplica\" aiuta a registrare più schede simili, per esempio di familiari o "
            "colleghi: mostra una scheda già salvata, premi \"Duplica\", modifica i dati che cambiano "
            "e premi \"Salva\"."),
        QStringLiteral(
            "Puoi scattare la foto con una webcam: nella finestra di acquisizione premi \"Accendi webcam\", "
            "chiedi alla persona di guardare l'obiettivo, premi \"Cattura foto\", porta la foto nella scheda "
            "con il pulsante \"Importa foto in scheda\" e infine salva la scheda con \"Salva\"."),
        QStringLiteral(
            "Il pulsante con la lente mostra la foto ingrandita in una finestra grande quanto lo schermo; "
            "un clic sulla foto la chiude. Per ritoccare la foto, salvala su disco, modificala "
            "con un programma di grafica e caricala di nuovo con \"Carica\". Allo stesso modo puoi caricare "
            "una foto in formato JPEG scattata con una fotocamera digitale. Le foto di un'intera classe "
            "entrano in un colpo solo con \"Importa foto da cartella\": chiama ogni file con il codice "
            "fiscale o con cognome e nome della persona, scegli la cartella, controlla la tabella e premi "
            "\"Applica\"; i casi dubbi restano fuori e le foto già presenti sono sostituite solo se spunti "
            "la loro casella."),
        QStringLiteral(
            "La ricerca combina uno o più filtri contemporaneamente: puoi trovare, per esempio, tutte "
            "le persone di un certo settore professionale oppure tutte quelle che parlano una "
            "determinata lingua."),
        QStringLiteral(
            "La casella \"Da ricontattare\" segnala che una persona va ricontattata per una questione "
            "in sospeso. Il pulsante con l'icona del telefono mostra il riepilogo di tutte le persone "
            "da ricontattare."),
        QStringLiteral("Con \"Allega file\" puoi allegare a una persona fino a tre file di qualsiasi tipo, "
                       "per esempio la "
                       "scansione di un documento di identità o del permesso di soggiorno, ciascuno con una "
                       "descrizione; "
                       "ogni allegato si apre con il pulsante \"Apri\". Il pulsante con lo scudo "
                       "registra i consensi della persona (trattamento dei dati e foto) e stampa il "
                       "modulo da firmare; se la persona nega il consenso alle foto, schede e pagine dei "
                       "gruppi si stampano con la sagoma al posto della foto. Il pulsante \"Privacy\" "
                       "raccoglie in un unico file tutti i dati di una persona oppure la cancella "
                       "dall'archivio con foto e allegati."),
        QStringLiteral(
            "Di ogni scheda puoi vedere l'anteprima di stampa oppure aprire la finestra di stampa; l'intero "
            "archivio anagrafico può essere esportato in un foglio di calcolo (XLS, XLSX oppure ODS)."),
    };
}

QStringList conclusione()
{
    return {
        QStringLiteral(
            "Folvara funziona anche da una chiavetta USB: copia la cartella del programma sulla "
            "chiavetta e avvia il programma da lì. Per le copie di sicurezza degli archivi usa invece il "
            "pulsante Backup della schermata di avvio, che scrive un file zip controllato e sa anche "
            "ripristinarlo."),
        QStringLiteral(
            "Nel rispetto delle norme sulla privacy, l'accesso al programma è protetto da una password che "
            "l'utente autorizzato può cambiare in qualsiasi momento; per una buona protezione ti consigliamo "
            "di sceglierne una di almeno otto caratteri. Dopo ogni installazione, per il primo accesso usa "
            "la "
            "password BENVENUTO."),
        QStringLiteral(
            "Il programma può essere usato anche in una rete locale, per condividere gli archivi fra "
            "più postazioni di lavoro: prima di cominciare, controlla la cartella condivisa con "
            "\"Verifica condivisione\" (capitolo \"Verifica condivisione\")."),
        QStringLiteral("In conclusione, Folvara è lo strumento ideale per organizzare gruppi di persone con "
                       "elenchi cartacei completi di foto e dati, e non richiede praticamente alcun tempo di "
                       "apprendimento."),
    };
}

QStringList esportazione()
{
    return {
        QStringLiteral(
            "L'esportazione scrive tutte le schede dell'archivio anagrafico in un foglio di calcolo, in "
            "uno di tre formati che scegli nell'elenco Formato della finestra: Excel (.xls), il file "
            "Archivio_Anagrafico.xls di sempre; Excel (.xlsx), un vero file di Excel moderno; "
            "OpenDocument (.ods), il formato di LibreOffice e OpenOffice. Tutti e tre si aprono con "
            "LibreOffice, OpenOffice o Microsoft Office."),
        QStringLiteral(
            "Nella finestra con la tabella dei dati scegli il formato e fai clic sull'icona di Excel: il "
            "file con tutte le schede viene scritto nella cartella del programma (se qualcosa va storto, il "
            "file precedente resta com'era) e, rispondendo sì alla domanda che segue, puoi aprirlo "
            "subito."),
        QStringLiteral(
            "Dal programma con cui lo hai aperto puoi poi salvare il file su disco con il nome che "
            "preferisci."),
    };
}

QStringList importazione()
{
    return {
        QStringLiteral(
            "Se hai già l'elenco delle persone in un foglio di calcolo, non serve ricopiarlo a mano: "
            "dalla finestra dell'esportazione premi il pulsante Importa e scegli il file. Puoi usare un "
            "file CSV, un foglio di Excel (XLSX), un foglio di LibreOffice o OpenOffice (ODS) oppure il "
            "file Archivio_Anagrafico.xls esportato da Folvara."),
        QStringLiteral(
            "La prima riga del foglio deve contenere i titoli delle colonne. Il programma abbina ogni "
            "colonna al campo della scheda che le corrisponde (per esempio Cognome, Nome, Email, "
            "Cellulare, CF); se il cognome e il nome sono in due colonne, li unisce in Cognome e nome. "
            "Puoi cambiare ogni abbinamento, o ignorare una colonna, con l'elenco accanto alla colonna: "
            "la scelta viene ricordata per l'importazione successiva."),
        QStringLiteral(
            "Prima di scrivere qualsiasi cosa, la tabella di anteprima mostra che cosa accadrà a ogni "
            "riga: una nuova scheda, una persona già presente in archivio (stesso codice fiscale, oppure "
            "stesso cognome e nome con la stessa data di nascita, con la posizione della scheda "
            "esistente) o una riga scartata perché senza nome. La colonna Da completare elenca i campi "
            "obbligatori vuoti; la colonna Avvisi i testi troppo lunghi per il loro campo e i caratteri "
            "che l'archivio non può conservare. Se la tabella è più larga della finestra, scorrila verso "
            "destra per vederle."),
        QStringLiteral(
            "Se le foto delle persone si trovano in una cartella, sceglila con il pulsante della "
            "cartella delle foto: ogni foto viene abbinata alla persona il cui codice fiscale, o il cui "
            "cognome e nome, corrisponde al nome del file."),
        QStringLiteral(
            "Premi il pulsante di importazione per aggiungere all'archivio le righe spuntate. Al termine "
            "un rapporto dice quante schede sono state aggiunte, saltate o scartate; puoi stamparlo o "
            "salvarlo in un file di testo. Se qualcosa va storto a metà, l'archivio contiene soltanto "
            "schede complete e il rapporto dice quante ne sono state aggiunte."),
    };
}

QStringList scadenze()
{
    return {
        QStringLiteral(
            "La schermata Scadenze, che si apre con l'icona del calendario della schermata di avvio o "
            "dell'Archivio Anagrafico, elenca i documenti scaduti o in scadenza e i compleanni in arrivo, "
            "prima che diventino un problema."),
        QStringLiteral(
            "Scegli la data di riferimento, per esempio la data del viaggio, e quanti giorni dopo quella "
            "data considerare: l'elenco mostra, in ordine di data, i documenti già scaduti a quella data e "
            "quelli che scadono entro i giorni indicati, con i giorni che mancano. Un documento valido "
            "oggi ma scaduto il giorno del viaggio compare come scaduto."),
        QStringLiteral(
            "Sotto i documenti trovi i compleanni dei giorni successivi alla data di riferimento, anche a "
            "cavallo di fine anno, con gli anni che la persona compie. Chi è nato il 29 febbraio compare "
            "il 28 febbraio negli anni che non sono bisestili."),
        QStringLiteral(
            "Le date si leggono dalle caselle Data nascita e Data scadenza della scheda. Ogni casella "
            "contiene 10 caratteri: vi entrano per esempio 03/05/2027, 3/5/27, 03-05-2027, 03.05.2027, "
            "2027-05-03, 3 mag 2027 e 3 mag 27. Una data scritta per esteso, come 3 maggio 2027, non entra: "
            "al salvataggio della scheda il programma propone di scriverla come 03/05/2027. Una data che "
            "non si può leggere con sicurezza, o che non esiste come il 31/02, compare nella sezione Date "
            "da verificare così come è stata scritta: correggila nella scheda."),
        QStringLiteral(
            "Nella casella Persone puoi limitare l'elenco ai componenti di un gruppo: una scheda "
            "anagrafica vi rientra quando il suo cognome e nome è scritto allo stesso modo in una delle "
            "schede del gruppo, senza badare a maiuscole e spazi."),
        QStringLiteral(
            "Fai doppio clic su una voce, o premi Invio, per aprire la scheda della persona "
            "nell'Archivio Anagrafico. Il pulsante Stampa apre la finestra di stampa per l'elenco su fogli "
            "A4, con il filtro e la data nel titolo; Salva PDF lo salva in un file PDF chiamato con la data "
            "di oggi, nella cartella usata l'ultima volta, e ti offre di aprirlo."),
        QStringLiteral(
            "Se spunti la casella dell'avviso, dopo ogni accesso il programma ti dice quanti documenti "
            "scadono entro 7 giorni e ti offre di aprire l'elenco. La scelta è conservata nel file "
            "Scadenze.ini della cartella del programma."),
    };
}

QStringList backup()
{
    return {
        QStringLiteral(
            "Il pulsante Backup della schermata di avvio apre la finestra dei backup. Un backup è un unico "
            "file zip, chiamato con la data e l'ora in cui è stato fatto (per esempio "
            "Folvara_backup_2026-03-14_093005.zip), che contiene l'archivio anagrafico, tutti i gruppi, le "
            "foto, "
            "i documenti allegati, la password e le impostazioni del programma, con l'elenco di ogni file e "
            "della "
            "sua impronta di controllo."),
        QStringLiteral(
            "Scegli prima la cartella dei backup con il pulsante Cambia: va bene una chiavetta USB, un disco "
            "esterno o una cartella di rete. Il programma la ricorda; finché non ne scegli una usa la "
            "cartella "
            "Folvara_backup accanto a quella del programma, creata al primo backup. Poi premi \"Esegui "
            "backup\": il file "
            "viene "
            "scritto, riletto e controllato, e solo allora prende il suo nome definitivo. Se il disco si "
            "riempie "
            "o l'operazione viene annullata, non resta nessun file a metà e i backup precedenti restano "
            "intatti."),
        QStringLiteral("Il programma conserva gli ultimi backup (10, se non scegli un altro numero) ed "
                       "elimina i più vecchi "
                       "soltanto dopo aver controllato il nuovo. L'elenco mostra per ogni backup la data, la "
                       "dimensione, il "
                       "numero di file e lo stato: integro o danneggiato secondo l'ultima verifica, non "
                       "verificato se il file non è mai stato verificato o è cambiato da allora, incompleto, "
                       "oppure fatto con una versione più recente del programma, che questa versione non "
                       "ripristina."),
        QStringLiteral("\"Verifica\" rilegge il backup selezionato e confronta ogni file con il suo elenco "
                       "di controllo: se un "
                       "file è rovinato, il messaggio ne indica il nome. \"Elimina\" cancella il backup "
                       "selezionato, dopo "
                       "una conferma."),
        QStringLiteral(
            "\"Ripristina\" riporta i dati del backup selezionato in una nuova cartella accanto a quella del "
            "programma, oppure nella cartella che scegli. Un backup danneggiato non viene mai ripristinato. "
            "Vengono ripristinati soltanto i file dei dati del programma: un file di altro tipo trovato nel "
            "backup, per esempio un programma, non viene scritto e il messaggio finale lo nomina. "
            "Se "
            "scegli la cartella del programma, i dati attuali vengono sostituiti: il programma lo chiede due "
            "volte e prima ne fa un backup. Al termine ogni file ripristinato viene controllato."),
        QStringLiteral(
            "Quando esci dal programma e l'ultimo backup controllato ha più di 7 giorni, una domanda ti "
            "propone "
            "di farne uno subito. Puoi cambiare il numero di giorni, o spegnere il promemoria con 0, nella "
            "finestra dei backup."),
    };
}

} // namespace

QList<HelpTopics::Topic> HelpTopics::all()
{
    return {Topic::Panoramica,   Topic::CreazioneApertura, Topic::SchedarioGruppo, Topic::ArchivioAnagrafico,
            Topic::Esportazione, Topic::Importazione,      Topic::Scadenze,        Topic::Backup};
}

QString HelpTopics::title(Topic topic)
{
    switch (topic) {
    case Topic::Panoramica:
        return QStringLiteral("Uno sguardo a Folvara");
    case Topic::ArchivioAnagrafico:
        return QStringLiteral("App Archivio Anagrafico");
    case Topic::SchedarioGruppo:
        return QStringLiteral("App Schedario Gruppo");
    case Topic::CreazioneApertura:
        return QStringLiteral("Creazione e apertura gruppi");
    case Topic::Esportazione:
        return QStringLiteral("Esportazione archivio anagrafico in Microsoft Excel");
    case Topic::Importazione:
        return QStringLiteral("Importazione di persone da un foglio di calcolo");
    case Topic::Scadenze:
        return QStringLiteral("Scadenze dei documenti e compleanni");
    case Topic::Backup:
        return QStringLiteral("Backup e ripristino dei dati");
    }
    return {};
}

QStringList HelpTopics::paragraphs(Topic topic)
{
    switch (topic) {
    case Topic::Panoramica:
        return introduzione() + creazioneApertura() + schedarioGruppo() + archivioAnagrafico() +
               conclusione();
    case Topic::ArchivioAnagrafico:
        return archivioAnagrafico();
    case Topic::SchedarioGruppo:
        return schedarioGruppo();
    case Topic::CreazioneApertura:
        return creazioneApertura();
    case Topic::Esportazione:
        return esportazione();
    case Topic::Importazione:
        return importazione();
    case Topic::Scadenze:
        return scadenze();
    case Topic::Backup:
        return backup();
    }
    return {};
}

QStringList HelpTopics::ownParagraphs(Topic topic)
{
    if (topic == Topic::Panoramica)
        return introduzione() + conclusione();
    return paragraphs(topic);
}

QString HelpTopics::text(Topic topic)
{
    return paragraphs(topic).join(QStringLiteral("\r\n\r\n"));
}

void HelpTopics::open(AppContext& context, QWidget* owner, Topic topic)
{
    TfrmGuida screen(context, owner);
    screen.setTopic(title(topic), text(topic));
    context.modal->run(screen);
}
