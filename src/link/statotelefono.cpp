#include "statotelefono.h"

#include "campirisposta.h"
#include "catalogo.h"
#include "globali.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr QChar Ritorno = u'\r';

constexpr qsizetype PrefissoSCID = 7; // "^SCID: "
constexpr int VoceValoreSconosciuto = 343;

constexpr int ImmagineIdentita = 1;
constexpr int ImmagineNonDisponibile = 27;
constexpr int PrimaImmagineAlim = 18;
constexpr int PrimaImmagineBatteria = 21;
constexpr int UltimaImmagineBatteria = 26;
constexpr int PrimaImmagineRete = 57;
constexpr int PrimaImmagineSegnale = 63;
constexpr uint8_t UltimoStatoAlim = 3;
constexpr int CaricaMassima = 100;
constexpr uint8_t UltimoStatoRete = 5;
constexpr uint8_t StatoReteSconosciuto = 4;
constexpr double PercentualePerTacca = 20.0;

constexpr int RssiMinimo = 0;
constexpr int RssiMassimo = 31;
constexpr int BerMassimo = 7;
constexpr int DBmDiRssiZero = -113;
constexpr int TipoIndirizzoMassimo = 255;
constexpr int FormatoNumerico = 2; // of the operator in "+COPS:"
// A location area code is two octets, a cell identity two or, on newer networks, four.
constexpr qsizetype CifreArea = 4;
constexpr qsizetype CifreCella = 8;

QString Campo(const QStringList& campi, qsizetype indice)
{
    return indice < campi.size() ? campi.at(indice) : QString();
}

// A hex number of one to `cifre` digits, quoted or not; empty for anything else.
QString NumeroEsadecimale(const QString& campo, qsizetype cifre)
{
    const QString testo = SenzaVirgolette(campo);
    return testo.size() <= cifre && SoloCifreEsadecimali(testo) ? testo : QString();
}

// rssi 0 to 31 is a level; anything else (99 among them) is no reading.
QString TestoSegnale(std::optional<int> rssi)
{
    if (!rssi)
        return Msg(VoceValoreSconosciuto);
    if (*rssi == RssiMinimo)
        return QStringLiteral("< -113 dBm");
    if (*rssi == RssiMassimo)
        return QStringLiteral("> -51 dBm");
    return QStringLiteral("%1 dBm").arg(2 * *rssi + DBmDiRssiZero);
}

// Registered at home (1), denied (3) or roaming (5): the operator, area and cell are known.
bool Registrato(uint8_t stato)
{
    return stato == 1 || stato == 3 || stato == 5;
}

// 0 to 5 as given; any other number is a state the views do not know; none without a number.
std::optional<uint8_t> StatoRegistrazione(const QString& campo)
{
    if (!NumeroIntero(campo))
        return std::nullopt;
    const std::optional<int> stato = InteroTra(campo, 0, UltimoStatoRete);
    return stato ? static_cast<uint8_t>(*stato) : StatoReteSconosciuto;
}

// The operator the phone is on: its numeric code, or, from a phone that keeps the long or short
// alphanumeric format, its name in the phone's character set; none when the reply gives neither.
std::optional<QString> OperatoreAttuale(const QString& cops)
{
    const QStringList campi = CampiRisposta(cops);
    if (campi.size() <= 2)
        return std::nullopt;
    const std::optional<int> formato = InteroTra(campi.at(1), 0, FormatoNumerico);
    if (formato && *formato != FormatoNumerico)
        return DecodificaTestoAT(SenzaVirgolette(campi.at(2)), SetTelefono);
    return CodiceOperatoreDaCampo(campi.at(2));
}

} // namespace

Identita IdentitaIgnota()
{
    const QString sconosciuto = Msg(VoceValoreSconosciuto);
    return {QString(), QString(), sconosciuto, sconosciuto, sconosciuto, sconosciuto};
}

Alimentazione AlimentazioneIgnota()
{
    const QString sconosciuto = Msg(VoceValoreSconosciuto);
    return {StatoAlimIgnoto, sconosciuto, sconosciuto};
}

void Registra(const Identita& i, DatiTelefono& t)
{
    t.Produttore = i.Produttore;
    t.Modello = i.Modello;
    t.Revisione = i.Revisione;
    t.IMEI = i.IMEI;
    t.IMSI = i.IMSI;
    t.CodiceSIM = i.CodiceSIM;
}

void Registra(const Alimentazione& a, DatiTelefono& t)
{
    t.StatoAlim = a.StatoAlim;
    t.StatoAlimTesto = a.StatoAlimTesto;
    t.LivelloBatteria = a.LivelloBatteria;
}

Rete ReteDi(const DatiTelefono& t)
{
    return {t.StatoRete,  t.StatoReteTesto, t.CodiceOperatore,
            t.CodiceArea, t.IDCella,        t.LivelloSegnale,
            t.BER};
}

void Registra(const Rete& r, DatiTelefono& t)
{
    t.StatoRete = r.StatoRete;
    t.StatoReteTesto = r.StatoReteTesto;
    t.CodiceOperatore = r.CodiceOperatore;
    t.CodiceArea = r.CodiceArea;
    t.IDCella = r.IDCella;
    t.LivelloSegnale = r.LivelloSegnale;
    t.BER = r.BER;
}

bool IdentitaDaRileggere(const QString& produttore, const QString& modello)
{
    return produttore.contains(Ritorno) || modello.contains(Ritorno);
}

QString PrimaRiga(const QString& risposta)
{
    return risposta.left(risposta.indexOf(Ritorno));
}

bool AnalizzaSCID(const QString& risposta, QString& codiceSIM)
{
    // Some phones give the number alone, or quoted.
    const QString testo = SenzaVirgolette(risposta.trimmed());
    if (SoloCifre(testo)) {
        codiceSIM = testo;
        return true;
    }
    if (risposta.size() < PrefissoSCID)
        return false;
    codiceSIM = SenzaVirgolette(risposta.mid(PrefissoSCID).trimmed());
    return true;
}

ValoriAlim AnalizzaCBC(const QString& risposta, Alimentazione& a)
{
    const QStringList campi = CampiRisposta(risposta);
    const std::optional<int> stato = InteroTra(Campo(campi, 0), 0, UltimoStatoAlim);
    if (stato) {
        a.StatoAlim = static_cast<uint8_t>(*stato);
        a.StatoAlimTesto = StatiAlim[static_cast<size_t>(*stato)];
    }
    const std::optional<int> carica = InteroTra(Campo(campi, 1), 0, CaricaMassima);
    if (carica)
        a.LivelloBatteria = QString::number(*carica) + QLatin1Char('%');
    return {stato.has_value(), carica.has_value()};
}

ValoriRete AnalizzaRete(const QString& creg, const QString& cops, const QString& csq, Rete& r)
{
    ValoriRete dati;
    const QString sconosciuto = Msg(VoceValoreSconosciuto);
    const QStringList registrazione = CampiRisposta(creg);
    const std::optional<uint8_t> stato = StatoRegistrazione(Campo(registrazione, 1));
    r.StatoRete = stato.value_or(StatoReteSconosciuto);
    r.StatoReteTesto = StatiRete[r.StatoRete];
    dati.stato = stato.has_value();
    // No state, no operator wanted of the reply; one not registered has none to give.
    dati.operatore = !stato || !Registrato(*stato);
    if (!stato) {
        // No state, no telling where the phone is registered.
        r.CodiceOperatore = r.CodiceArea = r.IDCella = sconosciuto;
    } else if (Registrato(*stato)) {
        const std::optional<QString> operatore = OperatoreAttuale(cops);
        dati.operatore = operatore.has_value();
        r.CodiceOperatore = operatore.value_or(sconosciuto);
        r.CodiceArea = NumeroEsadecimale(Campo(registrazione, 2), CifreArea);
        r.IDCella = NumeroEsadecimale(Campo(registrazione, 3), CifreCella);
    } else {
        r.CodiceOperatore = r.CodiceArea = r.IDCella = QStringLiteral("---");
    }

    const QStringList qualita = CampiRisposta(csq);
    const QString rssi = Campo(qualita, 0);
    dati.segnale = NumeroIntero(rssi);
    r.LivelloSegnale
        = TestoSegnale(dati.segnale ? InteroTra(rssi, RssiMinimo, RssiMassimo) : std::nullopt);
    const std::optional<int> ber = InteroTra(Campo(qualita, 1), 0, BerMassimo);
    r.BER = ber ? QString::number(*ber) : sconosciuto;
    return dati;
}

bool AnalizzaCSCA(const QString& risposta, QString& smsc)
{
    const QStringList campi = CampiRisposta(risposta);
    if (campi.size() >= 2 && InteroTra(campi.at(1), 0, TipoIndirizzoMassimo)) {
        smsc = NumeroConTipo(SenzaVirgolette(campi.at(0)), campi.at(1));
        return true;
    }
    // Some phones leave the type out: the number then stands as written, if the line is the
    // reply and what it holds is a number.
    if (campi.size() != 1 || !risposta.startsWith(QLatin1String("+CSCA:")))
        return false;
    const QString numero = SenzaVirgolette(campi.at(0));
    if (!SoloCifre(numero.startsWith(QLatin1Char('+')) ? numero.mid(1) : numero))
        return false;
    smsc = numero;
    return true;
}

double NumeroIniziale(const QString& testo)
{
    qsizetype i = 0;
    while (i < testo.size() && testo.at(i) == u' ')
        ++i;
    const qsizetype inizio = i;
    if (i < testo.size() && (testo.at(i) == u'-' || testo.at(i) == u'+'))
        ++i;
    while (i < testo.size() && (testo.at(i).isDigit() || testo.at(i) == u'.'))
        ++i;
    bool ok = false;
    const double valore = testo.mid(inizio, i - inizio).toDouble(&ok);
    return ok ? valore : 0.0;
}

RigaVista RigaNonDisponibile()
{
    return {82, ImmagineNonDisponibile, QString()};
}

QList<RigaVista> RigheInfo(const DatiTelefono& t)
{
    return {{83, ImmagineIdentita, t.Revisione},
            {84, ImmagineIdentita, t.IMEI},
            {85, ImmagineIdentita, t.IMSI}};
}

QList<RigaVista> RigheAlim(const DatiTelefono& t)
{
    // A state or a charge the phone did not give has no picture: not even the empty battery.
    const int immagineStato = t.StatoAlim <= UltimoStatoAlim ? PrimaImmagineAlim + t.StatoAlim : 0;
    const bool carica = !t.LivelloBatteria.isEmpty() && t.LivelloBatteria.front().isDigit();
    return {{91, immagineStato, t.StatoAlimTesto},
            {92, carica ? ImmagineBatteria(t.LivelloBatteria) : 0, t.LivelloBatteria}};
}

QList<RigaVista> RigheRete(const DatiTelefono& t, const QString& nomeOperatore, uint8_t barre)
{
    const int immagineStato = t.StatoRete <= UltimoStatoRete ? PrimaImmagineRete + t.StatoRete : 0;
    return {{93, immagineStato, t.StatoReteTesto},
            {94, 0, nomeOperatore},
            {95, 0, t.CodiceSIM},
            {96, 0, t.CodiceArea},
            {69, 0, t.IDCella},
            {97, PrimaImmagineSegnale + barre, t.LivelloSegnale},
            {98, 0, t.BER}};
}

int ImmagineBatteria(const QString& livello)
{
    // The image number itself is rounded half to even (the default rounding mode), so 10% and
    // 30% share one image and 50% and 70% another.
    const long immagine
        = std::lrint(NumeroIniziale(livello) / PercentualePerTacca + PrimaImmagineBatteria);
    return static_cast<int>(
        std::clamp<long>(immagine, PrimaImmagineBatteria, UltimaImmagineBatteria));
}

int16_t LivelloInDBm(const QString& testoSegnale)
{
    // "> -51 dBm" and "< -113 dBm" stand for the edges of the scale.
    QString testo = testoSegnale;
    if (testo.startsWith(u'>') || testo.startsWith(u'<'))
        testo.remove(0, 1);
    const long dBm = std::lrint(NumeroIniziale(testo));
    return static_cast<int16_t>(std::clamp<long>(dBm, INT16_MIN, INT16_MAX));
}
