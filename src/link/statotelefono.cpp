#include "statotelefono.h"

#include "catalogo.h"
#include "globali.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr QChar Virgoletta = u'"';
constexpr QChar Virgola = u',';
constexpr QChar Ritorno = u'\r';

constexpr qsizetype PrefissoSCID = 7;  // "^SCID: "
constexpr qsizetype PrefissoBreve = 6; // "+CBC: ", "+CSQ: "
constexpr qsizetype PrefissoCSCA = 7;  // "+CSCA: "
constexpr int VoceSconosciuto = 343;

constexpr int ImmagineIdentita = 1;
constexpr int ImmagineNonDisponibile = 27;
constexpr int PrimaImmagineAlim = 18;
constexpr int PrimaImmagineBatteria = 21;
constexpr int UltimaImmagineBatteria = 26;
constexpr int PrimaImmagineRete = 57;
constexpr int PrimaImmagineSegnale = 63;
constexpr uint8_t UltimoStatoAlim = 3;
constexpr uint8_t UltimoStatoRete = 5;
constexpr double PercentualePerTacca = 20.0;

constexpr int RssiMinimo = 0;
constexpr int RssiMassimo = 31;
constexpr int RssiSconosciuto = 99;
constexpr int DBmDiRssiZero = -113;

QString SenzaVirgolette(QString testo)
{
    return testo.remove(Virgoletta);
}

// The fields of a "+XXX: a,b,c" reply, quotes removed; none when it has no colon.
QStringList CampiDopoDuePunti(const QString& risposta)
{
    const qsizetype duePunti = risposta.indexOf(u':');
    if (duePunti < 0)
        return {};
    return SenzaVirgolette(risposta.mid(duePunti + 1)).split(Virgola);
}

QString Campo(const QStringList& campi, qsizetype indice)
{
    return indice < campi.size() ? campi.at(indice).trimmed() : QString();
}

// The value of a single decimal digit; -1 for anything else.
int Cifra(QChar carattere)
{
    return carattere.isDigit() ? carattere.digitValue() : -1;
}

bool Intero(const QString& testo, int& valore)
{
    if (testo.isEmpty()
        || !std::all_of(testo.begin(), testo.end(), [](QChar c) { return c.isDigit(); }))
        return false;
    bool ok = false;
    valore = testo.toInt(&ok);
    return ok;
}

QString TestoSegnale(int rssi)
{
    if (rssi == RssiSconosciuto)
        return Msg(VoceSconosciuto);
    if (rssi == RssiMinimo)
        return QStringLiteral("< -113 dBm");
    if (rssi == RssiMassimo)
        return QStringLiteral("> -51 dBm");
    return QStringLiteral("%1 dBm").arg(2 * rssi + DBmDiRssiZero);
}

} // namespace

Identita IdentitaDi(const DatiTelefono& t)
{
    return {t.Produttore, t.Modello, t.Revisione, t.IMEI, t.IMSI, t.CodiceSIM};
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

Alimentazione AlimentazioneDi(const DatiTelefono& t)
{
    return {t.StatoAlim, t.StatoAlimTesto, t.LivelloBatteria};
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

void AnalizzaSCID(const QString& risposta, QString& codiceSIM)
{
    // Some phones give the number alone, or quoted.
    const QString testo = SenzaVirgolette(risposta).trimmed();
    if (!testo.isEmpty()
        && std::all_of(testo.begin(), testo.end(), [](QChar c) { return c.isDigit(); })) {
        codiceSIM = testo;
        return;
    }
    if (risposta.size() >= PrefissoSCID)
        codiceSIM = SenzaVirgolette(risposta.mid(PrefissoSCID)).trimmed();
}

void AnalizzaCBC(const QString& risposta, Alimentazione& a)
{
    const QString testo = risposta.size() >= PrefissoBreve ? risposta.mid(PrefissoBreve) : risposta;
    if (testo.isEmpty())
        return;
    const int stato = Cifra(testo.at(0));
    if (stato >= 0 && stato <= UltimoStatoAlim) {
        a.StatoAlim = static_cast<uint8_t>(stato);
        a.StatoAlimTesto = StatiAlim[static_cast<size_t>(stato)];
    }
    const qsizetype virgola = testo.indexOf(Virgola);
    if (virgola >= 0)
        a.LivelloBatteria = testo.mid(virgola + 1).trimmed() + QLatin1Char('%');
}

void AnalizzaRete(const QString& creg, const QString& cops, const QString& csq, Rete& r)
{
    const QStringList registrazione = CampiDopoDuePunti(creg);
    const QString testoStato = Campo(registrazione, 1);
    const int stato = testoStato.size() == 1 ? std::max(Cifra(testoStato.at(0)), 0) : 0;
    r.StatoRete = static_cast<uint8_t>(stato);
    if (stato <= UltimoStatoRete)
        r.StatoReteTesto = StatiRete[static_cast<size_t>(stato)];
    // Registered at home (1), denied (3) or roaming (5): the operator, area and cell are known.
    if (stato == 1 || stato == 3 || stato == 5) {
        r.CodiceOperatore = Campo(CampiDopoDuePunti(cops), 2);
        r.CodiceArea = Campo(registrazione, 2);
        r.IDCella = Campo(registrazione, 3);
    } else {
        r.CodiceOperatore = r.CodiceArea = r.IDCella = QStringLiteral("---");
    }

    const QString qualita = csq.size() >= PrefissoBreve ? csq.mid(PrefissoBreve) : csq;
    int rssi = 0;
    if (Intero(qualita.left(qualita.indexOf(Virgola)).trimmed(), rssi))
        r.LivelloSegnale = TestoSegnale(rssi);
    const int ber = qualita.isEmpty() ? -1 : Cifra(qualita.back());
    r.BER = ber < 0 || ber == 9 ? Msg(VoceSconosciuto) : QString::number(ber);
}

void AnalizzaCSCA(const QString& risposta, QString& smsc)
{
    const QString testo = risposta.size() >= PrefissoCSCA ? risposta.mid(PrefissoCSCA) : risposta;
    const qsizetype virgola = testo.indexOf(Virgola);
    if (virgola >= 0)
        smsc = SenzaVirgolette(testo.left(virgola)).trimmed();
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
    return {{91, PrimaImmagineAlim + std::min(t.StatoAlim, UltimoStatoAlim), t.StatoAlimTesto},
            {92, ImmagineBatteria(t.LivelloBatteria), t.LivelloBatteria}};
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
