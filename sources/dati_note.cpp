// Notes for the driver: how faithful the line is and what the real line is
// like (lines 1-16, broken at 89 to 98 characters), the train run (18-33, at
// most 107), how to report errors, and the change list.
#include <array>
#include <string_view>

#include "compiler/route_model/nomi_file.h"
#include "sources/text_writer.h"
#include "sources/writers.h"

namespace scenario {

namespace {
// One entry per line of the file, UTF-8 here; CR LF is added on writing.
// clang-format off
constexpr std::array<std::string_view, 49> testo_note = {
    "La linea è stata ricostruita con una precisione che stimo intorno al 90 % da Viterbo a Grotte",
    "Santo Stefano; da Grotte Santo Stefano ad Attigliano è abbastanza precisa, mentre tra Attigliano",
    "e Orte lo è meno: se qualcuno conosce bene questo tratto e ha dei suggerimenti, sono disposto a",
    "rivederlo volentieri. Stazioni, segnali, cartelli indicatori e gallerie si trovano comunque nella",
    "loro posizione reale (tranne la galleria di Orte), dato che tutte le progressive chilometriche",
    "sono state ricavate dagli orari di servizio (fascicolo linee n° 113). La linea reale è a ",
    "binario semplice ed è esercitata con il Controllo Centralizzato del Traffico, telecomandato dal",
    "posto centrale di Viterbo. Le stazioni di Grotte S. Stefano e di Sipicciano hanno un binario",
    "di corsa, un binario di incrocio e un binario tronco; Montefiascone ha invece due binari di",
    "incrocio, uno dei quali è fuori servizio e non ha il segnale di partenza. La piccola fermata",
    "di S. Nicola è servita soltanto da questo treno e da due treni provenienti da Orte ogni giorno,",
    "per gli studenti della vicina Sipicciano. Entrando a S. Nicola conviene ridurre la velocità",
    "con largo anticipo, in quanto la discesa è ripida e il marciapiede è stretto: frenando tardi",
    "si rischia di oltrepassarlo con la testa del treno o, peggio, di saltare la fermata, come può",
    "succedere facilmente in tutte le fermate che si trovano in forte discesa e sono dotate di stretti",
    "marciapiedi.",
    "",
    "Il treno 7547 viaggia con la composizione indicata nella scheda treno (Ale 801/940, massa frenata 100 %).",
    "Il suo orario è quello dell'inverno 2000/2001, quando il treno era effettuato con due Aln 668 della",
    "serie 3100: per questo è difficile rispettare l'orario a Montefiascone e a S. Nicola.",
    "Da Grotte S. Stefano a Sipicciano la linea ha il grado di frenatura IX, quindi con una massa frenata del",
    "100 % la velocità consentita è di soli 75 km/h, contro i 90 km/h indicati dai cartelli; per questo motivo",
    "la scheda treno riporta 75 km/h su quel tratto.",
    "La scheda treno segue l'impostazione di quelle attualmente in uso: per ogni località riporta la progressiva",
    "chilometrica, l'orario e le velocità massime consentite.",
    "La condotta è abbastanza facile: lungo il percorso si incontrano soltanto un rallentamento a 30 km/h a",
    "Grotte S. Stefano, riportato anche nell'ordine di rallentamento consegnato al macchinista, e due segnali ad",
    "apertura ritardata, uno ad Attigliano e uno a Orte, davanti ai quali conviene avvicinarsi con prudenza, in",
    "attesa che si aprano.",
    "Alla partenza da Viterbo il treno è in perfetto orario.",
    "La stazione di Viterbo PF è un po' diversa da quella reale, dato che nel simulatore le stazioni di testa",
    "devono essere del tipo a marciapiede lungo: i suoi segnali si trovano quindi 100 m più avanti rispetto alla",
    "fine del marciapiede.",
    "",
    "Per segnalare errori o possibili modifiche:",
    "e-mail: autore.scenari@example.org",
    "oppure un messaggio privato sul forum della comunità, utente \"viterbo_orte\"",
    "",
    "",
    "",
    "ULTIMO AGGIORNAMENTO",
    "Ho rivisto soprattutto il tratto Attigliano-Orte:",
    "- Riposizionato inizio e fine zona codificata e segnalato con appositi cartelli",
    "- Inseriti cartelli con numeri dei Posti di Blocco",
    "- Eliminato i segnali sulla destra dei P.B.",
    "- Inserito all' avviso e al prot. di Orte segnale ad una vela a destra",
    "- Riposizionata galleria di Orte",
    "",
    "Ho anche rivisto la planimetria del tratto Viterbo-Attigliano.",
};
// clang-format on
}  // namespace

void dati_note(file_system& fs, const program_folder& cartella, std::string_view nome_linea,
               std::string_view numero_treno) {
  scrivi_testo(fs, file_path(cartella, nome_file_note(nome_linea, numero_treno)), testo_note);
}

}  // namespace scenario
