#include "pdu.h"

#include "catalogo.h"
#include "codecs.h"
#include "globali.h"

#include <algorithm>

namespace {

constexpr uint8_t TipoSubmit = 1;
constexpr uint8_t TipoRapportoStato = 2;

// Validity period formats of the first octet (bits 3 and 4); 0 means none.
constexpr int ValiditaEstesa = 1;
constexpr int ValiditaRelativa = 2;
constexpr int ValiditaAssoluta = 3;

constexpr int OttettiDataOra = 7;
constexpr int OttettiValiditaEstesa = 7;
constexpr int LunghezzaDataOra = 14;

// Type of number, bits 4 to 6 of an address's type octet.
constexpr int NumeroInternazionale = 1;
constexpr int NumeroAlfanumerico = 5;

enum class Alfabeto { Gsm7Bit, Dati8Bit, Ucs2 };

// Hands out the PDU's octets in order and refuses to step past the last one, so that a PDU cut
// short ends the decoding instead of reading beyond it.
class LettoreOttetti {
public:
    explicit LettoreOttetti(const QString& pdu)
    {
        HexInByte(pdu, ottetti_);
        ottetti_.chop(1); // the trailing 0 that HexInByte adds is no octet of the PDU
    }

    bool leggi(uint8_t& valore)
    {
        if (posizione_ >= ottetti_.size())
            return false;
        valore = static_cast<uint8_t>(ottetti_[posizione_++]);
        return true;
    }

    bool leggi(int quanti, QByteArray& valori)
    {
        if (quanti > ottetti_.size() - posizione_)
            return false;
        valori = ottetti_.mid(posizione_, quanti);
        posizione_ += quanti;
        return true;
    }

    bool salta(int quanti)
    {
        QByteArray saltati;
        return leggi(quanti, saltati);
    }

    QByteArray resto() const { return ottetti_.mid(posizione_); }

private:
    QByteArray ottetti_;
    int posizione_ = 0;
};

// Semi-octet digits, low half first; the filler F is dropped and A to E are the extra BCD
// symbols of GSM 04.08.
QString CifreSemiOttetti(const QByteArray& ottetti, int quante)
{
    static const QString simboli = QStringLiteral("0123456789*#abc");
    QString cifre;
    for (int k = 0; k < quante && k / 2 < ottetti.size(); ++k) {
        const int valore = (static_cast<uint8_t>(ottetti[k / 2]) >> (4 * (k % 2))) & 0x0F;
        if (valore < simboli.size())
            cifre.append(simboli[valore]);
    }
    return cifre;
}

QString CaratteriGSM(const QByteArray& codici)
{
    // Latin-1 turns every code into the character of that code, as the conversion expects.
    return ConvertiTestoGSM(QString::fromLatin1(codici));
}

QString NumeroDaIndirizzo(uint8_t tipo, const QByteArray& ottetti, int semiOttetti)
{
    const int tipoNumero = (tipo >> 4) & 0x07;
    if (tipoNumero == NumeroAlfanumerico)
        return CaratteriGSM(SettettiDaOttetti(ottetti, 0, semiOttetti * 4 / 7));
    const QString prefisso = tipoNumero == NumeroInternazionale ? QStringLiteral("+") : QString();
    return prefisso + CifreSemiOttetti(ottetti, semiOttetti);
}

// The service centre field; an empty one means the centre the phone uses.
bool LeggiCentroServizi(LettoreOttetti& lettore, QString& smsc)
{
    uint8_t lunghezza = 0;
    if (!lettore.leggi(lunghezza))
        return false;
    if (lunghezza == 0) {
        smsc = Telefono.SMSC;
        return true;
    }
    uint8_t tipo = 0;
    QByteArray cifre;
    if (!lettore.leggi(tipo) || !lettore.leggi(lunghezza - 1, cifre))
        return false;
    smsc = NumeroDaIndirizzo(tipo, cifre, 2 * static_cast<int>(cifre.size()));
    return true;
}

bool LeggiIndirizzo(LettoreOttetti& lettore, QString& numero)
{
    uint8_t semiOttetti = 0;
    uint8_t tipo = 0;
    QByteArray ottetti;
    if (!lettore.leggi(semiOttetti) || !lettore.leggi(tipo)
        || !lettore.leggi((semiOttetti + 1) / 2, ottetti))
        return false;
    numero
        = semiOttetti == 0 ? QStringLiteral("???") : NumeroDaIndirizzo(tipo, ottetti, semiOttetti);
    return true;
}

// Fourteen digits YYMMDDhhmmsszz; every half-octet is kept, so the time zone's sign bit shows
// as a digit above 9 instead of shortening the text.
QString CifreDataOra(const QByteArray& ottetti)
{
    QString cifre;
    for (const char ottetto : ottetti) {
        const auto valore = static_cast<uint8_t>(ottetto);
        cifre.append(QString::number(valore & 0x0F, 16).toUpper());
        cifre.append(QString::number(valore >> 4, 16).toUpper());
    }
    return cifre;
}

// The service centre time stamp, or the validity period of an SMS-SUBMIT. A reserved message
// type is read as a deliver, as a receiver is asked to.
bool LeggiDataOra(LettoreOttetti& lettore, uint8_t tipo, int formatoValidita, QString& dataOra)
{
    if (tipo != TipoSubmit || formatoValidita == ValiditaAssoluta) {
        QByteArray ottetti;
        if (!lettore.leggi(OttettiDataOra, ottetti))
            return false;
        dataOra = CifreDataOra(ottetti);
        return true;
    }
    if (formatoValidita == ValiditaRelativa) {
        uint8_t validita = 0;
        if (!lettore.leggi(validita))
            return false;
        dataOra = QString::number(validita).leftJustified(LunghezzaDataOra);
        return true;
    }
    if (formatoValidita == ValiditaEstesa)
        return lettore.salta(OttettiValiditaEstesa);
    return true;
}

Alfabeto AlfabetoDaDCS(uint8_t dcs)
{
    const int gruppo = dcs >> 4;
    if (gruppo <= 0x07) { // general data coding: bits 2 and 3 name the alphabet
        const int alfabeto = (dcs >> 2) & 0x03;
        if (alfabeto == 1)
            return Alfabeto::Dati8Bit;
        return alfabeto == 2 ? Alfabeto::Ucs2 : Alfabeto::Gsm7Bit;
    }
    if (gruppo == 0x0E)
        return Alfabeto::Ucs2;
    if (gruppo == 0x0F && (dcs & 0x04) != 0)
        return Alfabeto::Dati8Bit;
    // Message waiting groups, class groups without bit 2 and reserved codings: the default
    // alphabet, as GSM 03.38 prescribes for codings a receiver does not know.
    return Alfabeto::Gsm7Bit;
}

// Every CR gets an LF after it, unless the sender already put one there.
QString ConLFDopoCR(const QString& testo)
{
    QString risultato;
    risultato.reserve(testo.size() + 8);
    for (int i = 0; i < testo.size(); ++i) {
        risultato.append(testo[i]);
        const bool seguitoDaLF = i + 1 < testo.size() && testo[i + 1] == u'\n';
        if (testo[i] == u'\r' && !seguitoDaLF)
            risultato.append(u'\n');
    }
    return risultato;
}

QString TestoUCS2(const QByteArray& ottetti)
{
    QString testo;
    testo.reserve(ottetti.size() / 2);
    for (int i = 0; i + 1 < ottetti.size(); i += 2) {
        const auto alto = static_cast<uint8_t>(ottetti[i]);
        const auto basso = static_cast<uint8_t>(ottetti[i + 1]);
        testo.append(QChar(static_cast<char16_t>(alto << 8 | basso)));
    }
    return testo;
}

// The user data length counts septets in the 7-bit alphabet and octets otherwise, header
// included; only what the PDU really carries is read.
QString TestoDatiUtente(uint8_t dcs, bool conIntestazione, int lunghezza, const QByteArray& dati)
{
    const int intestazione
        = conIntestazione && !dati.isEmpty() ? static_cast<uint8_t>(dati[0]) + 1 : 0;
    if (AlfabetoDaDCS(dcs) == Alfabeto::Gsm7Bit) {
        // The text starts on the first septet boundary after the header.
        const int settettiIntestazione = (intestazione * 8 + 6) / 7;
        return ConLFDopoCR(CaratteriGSM(
            SettettiDaOttetti(dati, settettiIntestazione * 7, lunghezza - settettiIntestazione)));
    }
    const int fine = std::min(lunghezza, static_cast<int>(dati.size()));
    const QByteArray ottetti = dati.mid(intestazione, std::max(fine - intestazione, 0));
    if (AlfabetoDaDCS(dcs) == Alfabeto::Ucs2)
        return TestoUCS2(ottetti);
    return DecodificaWindows1252(ottetti);
}

// The outcome of a delivery by the ranges of its status: completed, still being tried, or given
// up (an error for good, or one the centre tries no more); bit 7 is reserved, and such a status
// tells of no delivery either.
int VoceEsitoConsegna(uint8_t stato)
{
    constexpr int VoceConsegnato = 802;
    constexpr int VoceAncoraInCorso = 803;
    constexpr int VoceNonConsegnato = 804;
    if (stato <= 0x1F)
        return VoceConsegnato;
    return stato <= 0x3F ? VoceAncoraInCorso : VoceNonConsegnato;
}

// What may follow the status: parameter indicators (bit 7 of each says another follows), then
// the protocol identifier and the coding they announce. The report's text is its status, so its
// user data is not read.
void LeggiParametriFacoltativi(LettoreOttetti& lettore, MessaggioSMS& messaggio)
{
    uint8_t indicatore = 0;
    if (!lettore.leggi(indicatore))
        return;
    for (uint8_t altro = indicatore; (altro & 0x80) != 0;)
        if (!lettore.leggi(altro))
            return;
    if ((indicatore & 0x01) != 0 && !lettore.leggi(messaggio.PID))
        return;
    if ((indicatore & 0x02) != 0)
        lettore.leggi(messaggio.DCS);
}

// A status report names the message's recipient and tells when it was delivered (or last tried)
// and how it went; the centre's own time stamp before that is passed over.
void DecodificaRapportoStato(LettoreOttetti& lettore, MessaggioSMS& messaggio)
{
    QByteArray consegna;
    uint8_t stato = 0;
    if (!lettore.leggi(messaggio.MR) || !LeggiIndirizzo(lettore, messaggio.Numero)
        || !lettore.salta(OttettiDataOra) || !lettore.leggi(OttettiDataOra, consegna)
        || !lettore.leggi(stato))
        return;
    messaggio.DataOra = CifreDataOra(consegna);
    messaggio.Testo = Msg(VoceEsitoConsegna(stato));
    messaggio.LunghezzaDati = static_cast<int16_t>(messaggio.Testo.size());
    LeggiParametriFacoltativi(lettore, messaggio);
}

void AggiungiBit(char& ottetto, unsigned bit)
{
    ottetto = static_cast<char>(static_cast<uint8_t>(ottetto) | bit);
}

} // namespace

void RinnovaTestoRapporto(MessaggioSMS& messaggio)
{
    if (messaggio.Tipo == TipoRapportoStato && !messaggio.PDU.isEmpty())
        DecodificaPDU(messaggio, QString(messaggio.PDU));
}

QByteArray SettettiDaOttetti(const QByteArray& ottetti, int bitIniziale, int quanti)
{
    const int bitDisponibili = static_cast<int>(ottetti.size()) * 8 - bitIniziale;
    if (bitIniziale < 0 || bitDisponibili < 7 || quanti <= 0)
        return {};
    const int numero = std::min(quanti, bitDisponibili / 7);
    QByteArray codici(numero, '\0');
    for (int k = 0; k < numero; ++k) {
        const int bit = bitIniziale + 7 * k;
        const int indice = bit / 8;
        unsigned parola = static_cast<uint8_t>(ottetti[indice]);
        if (indice + 1 < ottetti.size())
            parola |= static_cast<unsigned>(static_cast<uint8_t>(ottetti[indice + 1])) << 8;
        codici[k] = static_cast<char>((parola >> (bit % 8)) & 0x7F);
    }
    return codici;
}

QByteArray OttettiDaSettetti(const QByteArray& codici)
{
    QByteArray ottetti((codici.size() * 7 + 7) / 8, '\0');
    for (int k = 0; k < codici.size(); ++k) {
        const int bit = 7 * k;
        const int indice = bit / 8;
        const unsigned parola = (static_cast<uint8_t>(codici[k]) & 0x7Fu) << (bit % 8);
        AggiungiBit(ottetti[indice], parola & 0xFF);
        if (parola > 0xFF)
            AggiungiBit(ottetti[indice + 1], parola >> 8);
    }
    return ottetti;
}

void DecodificaPDU(MessaggioSMS& messaggio, const QString& pdu)
{
    const uint8_t stato = messaggio.Stato;
    messaggio = MessaggioSMS();
    messaggio.Stato = stato;
    messaggio.PDU = pdu;
    messaggio.DataOra = QString(LunghezzaDataOra, u' ');

    LettoreOttetti lettore(pdu);
    uint8_t primoOttetto = 0;
    if (!LeggiCentroServizi(lettore, messaggio.SMSC) || !lettore.leggi(primoOttetto))
        return;
    messaggio.RapportoStato = (primoOttetto & 0x20) != 0;
    messaggio.Tipo = primoOttetto & 0x03;
    const int formatoValidita = (primoOttetto >> 3) & 0x03;
    const bool conIntestazione = (primoOttetto & 0x40) != 0;
    if (messaggio.Tipo == TipoRapportoStato) {
        DecodificaRapportoStato(lettore, messaggio);
        return;
    }

    if (messaggio.Tipo == TipoSubmit && !lettore.leggi(messaggio.MR))
        return;
    uint8_t lunghezza = 0;
    if (!LeggiIndirizzo(lettore, messaggio.Numero) || !lettore.leggi(messaggio.PID)
        || !lettore.leggi(messaggio.DCS)
        || !LeggiDataOra(lettore, messaggio.Tipo, formatoValidita, messaggio.DataOra)
        || !lettore.leggi(lunghezza))
        return;
    messaggio.LunghezzaDati = lunghezza;
    messaggio.Testo = TestoDatiUtente(messaggio.DCS, conIntestazione, lunghezza, lettore.resto());
}
