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
constexpr int VoceStato = 93;
constexpr int VoceOperatore = 94;
constexpr int VoceLivelloSegnale = 97;

// The commands of one read. Once the link fails, the rest are not sent: their replies could not
// be kept anyway.
class Lettura {
public:
    QString Invia(const QString& comando)
    {
        if (!linkTenuto)
            return QString();
        EsitoAT esito = EsitoAT::Ok;
        const QString risposta = InviaComandoAT(comando, &esito);
        linkTenuto = RispostaDelTelefono(esito);
        rifiutato = esito == EsitoAT::Errore;
        return linkTenuto ? risposta : QString();
    }
    // As Invia, for the command that reads `cosa`: a refusal is kept among the values not given.
    QString Interroga(const QString& comando, const QString& cosa)
    {
        const QString risposta = Invia(comando);
        if (rifiutato)
            nonDati.Annota(cosa);
        return risposta;
    }
    bool LinkTenuto() const { return linkTenuto; }
    const LettureRifiutate& NonDati() const { return nonDati; }

private:
    bool linkTenuto = true;
    bool rifiutato = false;
    LettureRifiutate nonDati;
};

void LeggiProduttoreEModello(Lettura& lettura, Identita& identita)
{
    for (int giro = 0; giro < GiriIdentitaMassimi; ++giro) {
        identita.Produttore = lettura.Invia(QStringLiteral("AT+CGMI"));
        identita.Modello = lettura.Invia(QStringLiteral("AT+CGMM"));
        if (!IdentitaDaRileggere(identita.Produttore, identita.Modello))
            return;
    }
    // A phone that keeps answering in several lines (or with a bare OK) gets its first line kept.
    identita.Produttore = PrimaRiga(identita.Produttore);
    identita.Modello = PrimaRiga(identita.Modello);
}

} // namespace

void LeggiInfo(FunzioniImpostazioni& impostazioni)
{
    const AttesaInCorso attesa(Msg(VoceRicezioneInformazioni));
    Lettura lettura;
    Identita identita = IdentitaDi(Telefono);
    LeggiProduttoreEModello(lettura, identita);
    identita.Revisione = lettura.Invia(QStringLiteral("AT+CGMR"));
    identita.IMEI = lettura.Invia(QStringLiteral("AT+CGSN"));
    identita.IMSI = lettura.Invia(QStringLiteral("AT+CIMI"));
    AnalizzaSCID(lettura.Invia(QStringLiteral("AT^SCID")), identita.CodiceSIM);
    const QString lunghezze = lettura.Invia(QStringLiteral("AT+CPWD=?"));
    if (!lettura.LinkTenuto())
        return;
    impostazioni.DecodificaLunghezzeCodici(lunghezze);
    Registra(identita, Telefono);
    Telefono.InfoLetta = true;
}

void LeggiAlim()
{
    const AttesaInCorso attesa(TestoPredefinito);
    Lettura lettura;
    Alimentazione alimentazione = AlimentazioneDi(Telefono);
    AnalizzaCBC(lettura.Invia(QStringLiteral("AT+CBC")), alimentazione);
    if (!lettura.LinkTenuto())
        return;
    Registra(alimentazione, Telefono);
    Telefono.AlimLetta = true;
}

LettureRifiutate LeggiRete(int16_t flag)
{
    const AttesaInCorso attesa(TestoPredefinito, flag == 0);
    Lettura lettura;
    const QString registrazione = lettura.Interroga(QStringLiteral("AT+CREG?"), Msg(VoceStato));
    // The operator is wanted as its numeric code.
    lettura.Invia(QStringLiteral("AT+COPS=3,2"));
    const QString operatore = lettura.Interroga(QStringLiteral("AT+COPS?"), Msg(VoceOperatore));
    const QString qualita = lettura.Interroga(QStringLiteral("AT+CSQ"), Msg(VoceLivelloSegnale));
    if (!lettura.LinkTenuto())
        return {};
    Rete rete = ReteDi(Telefono);
    AnalizzaRete(registrazione, operatore, qualita, rete);
    Registra(rete, Telefono);
    Telefono.ReteLetta = true;
    return lettura.NonDati();
}

void LeggiCentroSMS()
{
    const AttesaInCorso attesa(TestoPredefinito);
    Lettura lettura;
    QString centro = Telefono.SMSC;
    AnalizzaCSCA(lettura.Invia(QStringLiteral("AT+CSCA?")), centro);
    if (!lettura.LinkTenuto())
        return;
    Telefono.SMSC = centro;
    Telefono.SMSCLetto = true;
}
