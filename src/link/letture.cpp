#include "letture.h"

#include "attesa.h"
#include "catalogo.h"
#include "funzioni.h"
#include "globali.h"
#include "rifiuti.h"
#include "scambio.h"
#include "statotelefono.h"

namespace {

const QString TestoPredefinito = QStringLiteral("kaboom");
constexpr int VoceRicezioneInformazioni = 361;
constexpr int VoceProduttore = 880;
constexpr int VoceModello = 881;
constexpr int VoceRevisione = 83;
constexpr int VoceIMEI = 84;
// The two codes of the SIM, which the views both call "SIM code", told apart.
constexpr int VoceIMSI = 912;
constexpr int VoceCodiceSIM = 913;
constexpr int VoceAlimentazione = 91;
constexpr int VoceLivelloBatteria = 92;
constexpr int VoceStato = 93;
constexpr int VoceOperatore = 94;
constexpr int VoceLivelloSegnale = 97;
constexpr int VoceCentroServizi = 223;

// One reply of a read: its text, empty when the phone refused the command; and then the
// phone's refusal line.
struct Risposta {
    QString testo;
    QString rifiuto;
};

// The commands of one read. Once the link fails, the rest are not sent: their replies could not
// be kept anyway.
class Lettura {
public:
    Risposta Invia(const QString& comando)
    {
        if (!linkTenuto)
            return {};
        EsitoAT esito = EsitoAT::Ok;
        const QString risposta = InviaComandoAT(comando, &esito);
        linkTenuto = RispostaDelTelefono(esito);
        if (esito == EsitoAT::Errore)
            return {QString(), UltimaRigaRifiuto()};
        return {linkTenuto ? risposta : QString(), QString()};
    }
    // Keeps `cosa`, which the reply read, among the values not given when the phone refused its
    // command or `dato` says that the reply held none.
    void Valore(const QString& cosa, const Risposta& risposta, bool dato)
    {
        if (!risposta.rifiuto.isEmpty())
            nonDati.Annota(cosa, risposta.rifiuto);
        else
            nonDati.AnnotaSeNonDato(cosa, EsitoAT::Ok, dato);
    }
    // The reply that is itself the value, as the identity's: `ignoto` when the phone refused it
    // or answered with nothing.
    QString Testo(int voce, const Risposta& risposta, const QString& ignoto)
    {
        const bool dato = !risposta.testo.isEmpty() && risposta.testo != OKNudo;
        Valore(Msg(voce), risposta, dato);
        return dato ? risposta.testo : ignoto;
    }
    bool LinkTenuto() const { return linkTenuto; }
    const LettureRifiutate& NonDati() const { return nonDati; }

private:
    bool linkTenuto = true;
    LettureRifiutate nonDati;
};

void LeggiProduttoreEModello(Lettura& lettura, Identita& identita)
{
    Risposta produttore;
    Risposta modello;
    for (int giro = 0; giro < GiriIdentitaMassimi; ++giro) {
        produttore = lettura.Invia(QStringLiteral("AT+CGMI"));
        modello = lettura.Invia(QStringLiteral("AT+CGMM"));
        if (!IdentitaDaRileggere(produttore.testo, modello.testo))
            break;
    }
    // A phone that keeps answering in several lines (or with a bare OK) gets its first line kept.
    produttore.testo = PrimaRiga(produttore.testo);
    modello.testo = PrimaRiga(modello.testo);
    identita.Produttore = lettura.Testo(VoceProduttore, produttore, identita.Produttore);
    identita.Modello = lettura.Testo(VoceModello, modello, identita.Modello);
}

} // namespace

LettureRifiutate LeggiInfo(FunzioniImpostazioni& impostazioni)
{
    const AttesaInCorso attesa(Msg(VoceRicezioneInformazioni));
    Lettura lettura;
    Identita identita = IdentitaIgnota();
    LeggiProduttoreEModello(lettura, identita);
    identita.Revisione = lettura.Testo(VoceRevisione, lettura.Invia(QStringLiteral("AT+CGMR")),
                                       identita.Revisione);
    identita.IMEI
        = lettura.Testo(VoceIMEI, lettura.Invia(QStringLiteral("AT+CGSN")), identita.IMEI);
    identita.IMSI
        = lettura.Testo(VoceIMSI, lettura.Invia(QStringLiteral("AT+CIMI")), identita.IMSI);
    const Risposta scid = lettura.Invia(QStringLiteral("AT^SCID"));
    lettura.Valore(Msg(VoceCodiceSIM), scid, AnalizzaSCID(scid.testo, identita.CodiceSIM));
    const QString lunghezze = lettura.Invia(QStringLiteral("AT+CPWD=?")).testo;
    if (!lettura.LinkTenuto())
        return {};
    impostazioni.DecodificaLunghezzeCodici(lunghezze);
    Registra(identita, Telefono);
    Telefono.InfoLetta = true;
    return lettura.NonDati();
}

LettureRifiutate LeggiAlim()
{
    const AttesaInCorso attesa(TestoPredefinito);
    Lettura lettura;
    Alimentazione alimentazione = AlimentazioneIgnota();
    const Risposta cbc = lettura.Invia(QStringLiteral("AT+CBC"));
    const ValoriAlim dati = AnalizzaCBC(cbc.testo, alimentazione);
    if (!lettura.LinkTenuto())
        return {};
    lettura.Valore(Msg(VoceAlimentazione), cbc, dati.stato);
    lettura.Valore(Msg(VoceLivelloBatteria), cbc, dati.carica);
    Registra(alimentazione, Telefono);
    Telefono.AlimLetta = true;
    return lettura.NonDati();
}

LettureRifiutate LeggiRete(int16_t flag)
{
    const AttesaInCorso attesa(TestoPredefinito, flag == 0);
    Lettura lettura;
    const Risposta registrazione = lettura.Invia(QStringLiteral("AT+CREG?"));
    // The operator is wanted as its numeric code.
    lettura.Invia(QStringLiteral("AT+COPS=3,2"));
    const Risposta operatore = lettura.Invia(QStringLiteral("AT+COPS?"));
    const Risposta qualita = lettura.Invia(QStringLiteral("AT+CSQ"));
    if (!lettura.LinkTenuto())
        return {};
    Rete rete = ReteDi(Telefono);
    const ValoriRete dati = AnalizzaRete(registrazione.testo, operatore.testo, qualita.testo, rete);
    lettura.Valore(Msg(VoceStato), registrazione, dati.stato);
    lettura.Valore(Msg(VoceOperatore), operatore, dati.operatore);
    lettura.Valore(Msg(VoceLivelloSegnale), qualita, dati.segnale);
    Registra(rete, Telefono);
    Telefono.ReteLetta = true;
    return lettura.NonDati();
}

void LeggiCentroSMS()
{
    LettureRifiutate nonDati;
    {
        const AttesaInCorso attesa(TestoPredefinito);
        Lettura lettura;
        // Unknown, the centre is left to the phone when a message is sent.
        QString centro;
        const Risposta csca = lettura.Invia(QStringLiteral("AT+CSCA?"));
        const bool dato = AnalizzaCSCA(csca.testo, centro);
        lettura.Valore(Msg(VoceCentroServizi), csca, dato);
        if (!lettura.LinkTenuto())
            return;
        Telefono.SMSC = centro;
        Telefono.SMSCLetto = true;
        Telefono.SMSCNonDato = !dato;
        nonDati = lettura.NonDati();
    }
    nonDati.Avvisa();
}
