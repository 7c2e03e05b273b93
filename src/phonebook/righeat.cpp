#include "righeat.h"

#include "campirisposta.h"
#include "codecs.h"
#include "inputvoce.h"
#include "setcaratteri.h"
#include "testo.h"

namespace {

const QLatin1String PrefissoStato("+CPBS:");
const QLatin1String PrefissoVoce("+CPBR:");
constexpr int MassimoConteggio = INT16_MAX; // counts and positions are kept in 16 bits
constexpr int MassimaLunghezza = UINT8_MAX; // the lengths in 8

QChar CifraEsadecimale(int valore)
{
    return QLatin1Char("0123456789ABCDEF"[valore & 0xF]);
}

// A name cut as a phone in GSM counts it, and as one in any other set does.
QString NomeEntroCodiciGSM(const QString& nome, int limite)
{
    return TestoEntroCodiciGSM(nome, limite);
}

QString NomeEntroCaratteri(const QString& nome, int limite)
{
    qsizetype fine = 0;
    for (int contati = 0; contati < limite && fine < nome.size(); ++contati)
        fine += nome.at(fine).isHighSurrogate() && fine + 1 < nome.size()
                        && nome.at(fine + 1).isLowSurrogate()
                    ? 2
                    : 1;
    return nome.left(fine);
}

bool DaProteggere(uint8_t byte)
{
    return byte < 0x20 || byte == '"' || byte == '\\' || byte == 0x7F;
}

qsizetype DopoSpazi(QStringView testo, qsizetype indice)
{
    while (indice < testo.size() && testo.at(indice) == u' ')
        ++indice;
    return indice;
}

bool CarattereIn(QStringView testo, qsizetype indice, char16_t carattere)
{
    return indice < testo.size() && testo.at(indice) == carattere;
}

// The lines of a reply body that carry this result, each without its prefix and the blanks
// after it (27.007 puts one, some phones none).
QList<QStringView> RigheRisultato(const QString& corpo, QLatin1String prefisso)
{
    QList<QStringView> righe;
    const QStringView testo(corpo);
    qsizetype inizio = 0;
    while (inizio < testo.size()) {
        qsizetype fine = testo.indexOf(QLatin1String("\r\n"), inizio);
        if (fine < 0)
            fine = testo.size();
        const QStringView riga = testo.mid(inizio, fine - inizio);
        if (riga.startsWith(prefisso))
            righe << riga.mid(DopoSpazi(riga, prefisso.size()));
        inizio = fine + 2;
    }
    return righe;
}

// The fields of the first line that carries this result.
QStringList CampiRisultato(const QString& corpo, QLatin1String prefisso)
{
    const QList<QStringView> righe = RigheRisultato(corpo, prefisso);
    return righe.isEmpty() ? QStringList() : DividiCampi(righe.first());
}

// The integer field at this index when it is one within range; 0, "not known", otherwise.
int CampoIntero(const QStringList& campi, qsizetype indice, int massimo)
{
    if (indice >= campi.size())
        return 0;
    return InteroTra(campi.at(indice), 0, massimo).value_or(0);
}

// A count of positions: a whole number of digits, blanks around it allowed. A phone may have
// more positions than the table's counts take; that is still a count, held at their largest.
std::optional<int> Conteggio(QStringView campo)
{
    if (const std::optional<int> valore = InteroTra(campo, 0, MassimoConteggio))
        return valore;
    if (SoloCifre(TagliaSpazi(campo.toString())))
        return MassimoConteggio;
    return std::nullopt;
}

// Where the number's field opens: past the position's comma and the empty fields some phones put
// before the number.
qsizetype InizioNumero(QStringView riga, qsizetype virgola)
{
    qsizetype inizio = DopoSpazi(riga, virgola + 1);
    while (CarattereIn(riga, inizio, u','))
        inizio = DopoSpazi(riga, inizio + 1);
    return inizio;
}

// An unquoted field from `inizio` to its comma, or to the end of the line, without the blanks
// after it.
QString CampoNudo(QStringView riga, qsizetype inizio)
{
    qsizetype fine = riga.indexOf(u',', inizio);
    if (fine < 0)
        fine = riga.size();
    while (fine > inizio && riga.at(fine - 1) == u' ')
        --fine;
    return riga.mid(inizio, fine - inizio).toString();
}

// Where the name that opens at `apre` closes. Its closing quote is the last of the line but for
// the optional fields 27.007 lets follow the name (",0", ",\"Amici\"", ...), which are peeled off
// from the end; quotes inside the name (a phone sends the code of '"' as it is) never close it.
// A name with no closing quote runs to the end of the line.
qsizetype ChiusuraNome(QStringView riga, qsizetype apre)
{
    qsizetype fine = riga.size();
    for (;;) {
        qsizetype e = fine;
        while (e > apre + 1 && riga.at(e - 1) == u' ')
            --e;
        if (e <= apre + 1)
            return riga.size();
        if (riga.at(e - 1) == u'"') {
            const qsizetype apreCampo = riga.lastIndexOf(u'"', e - 2);
            if (apreCampo <= apre)
                return e - 1;
            // A quoted field of its own only when a comma stands before it.
            qsizetype virgola = apreCampo;
            while (virgola > apre + 1 && riga.at(virgola - 1) == u' ')
                --virgola;
            --virgola;
            if (virgola <= apre + 1 || riga.at(virgola) != u',')
                return e - 1;
            fine = virgola;
            continue;
        }
        qsizetype virgola = e - 1;
        while (virgola > apre && riga.at(virgola) != u',' && riga.at(virgola) != u'"')
            --virgola;
        if (virgola <= apre + 1 || riga.at(virgola) != u',')
            break;
        fine = virgola;
    }
    // What follows the name is no field: it closes at the line's last quote, if any.
    const qsizetype ultima = riga.lastIndexOf(u'"');
    return ultima > apre ? ultima : riga.size();
}

} // namespace

QString SenzaEscape(QStringView testo)
{
    QString risultato;
    risultato.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (testo.at(i) == u'\\' && i + 2 < testo.size()) {
            const int alta = ValoreCifraHex(testo.at(i + 1));
            const int bassa = ValoreCifraHex(testo.at(i + 2));
            const int byte = alta * 16 + bassa;
            if (alta >= 0 && bassa >= 0 && DaProteggere(static_cast<uint8_t>(byte))) {
                risultato.append(CarattereDaByte(static_cast<uint8_t>(byte)));
                i += 2;
                continue;
            }
        }
        risultato.append(testo.at(i));
    }
    return risultato;
}

QStringList RigheVoci(const QString& corpo)
{
    QStringList righe;
    for (const QStringView riga : RigheRisultato(corpo, PrefissoVoce))
        righe << riga.toString();
    return righe;
}

int PosizioneRiga(const QString& riga)
{
    const qsizetype virgola = riga.indexOf(QLatin1Char(','));
    return InteroTra(QStringView(riga).left(virgola < 0 ? riga.size() : virgola), 1,
                     MassimoConteggio)
        .value_or(0);
}

std::optional<RigaVoce> DecodificaRigaVoce(const QString& riga)
{
    const qsizetype virgola = riga.indexOf(QLatin1Char(','));
    const qsizetype apreNumero = InizioNumero(riga, virgola);
    if (virgola < 0 || !CarattereIn(riga, apreNumero, u'"'))
        return std::nullopt;
    const qsizetype chiudeNumero = riga.indexOf(QLatin1Char('"'), apreNumero + 1);
    if (chiudeNumero < 0)
        return std::nullopt;
    RigaVoce voce;
    voce.posizione = PosizioneRiga(riga);
    const QString numero = riga.mid(apreNumero + 1, chiudeNumero - apreNumero - 1);
    voce.numero = NumeroConTipo(numero, {});
    const qsizetype virgolaTipo = DopoSpazi(riga, chiudeNumero + 1);
    if (!CarattereIn(riga, virgolaTipo, u','))
        return voce;
    const qsizetype virgolaNome = riga.indexOf(QLatin1Char(','), virgolaTipo + 1);
    const qsizetype fineTipo = virgolaNome < 0 ? riga.size() : virgolaNome;
    voce.numero
        = NumeroConTipo(numero, QStringView(riga).mid(virgolaTipo + 1, fineTipo - virgolaTipo - 1));
    if (virgolaNome < 0)
        return voce;
    const qsizetype apreNome = DopoSpazi(riga, virgolaNome + 1);
    if (!CarattereIn(riga, apreNome, u'"')) {
        voce.nomeGrezzo = CampoNudo(riga, apreNome);
        voce.nomeNudo = true;
        return voce;
    }
    const qsizetype chiudeNome = ChiusuraNome(riga, apreNome);
    voce.nomeGrezzo = SenzaEscape(QStringView(riga).mid(apreNome + 1, chiudeNome - apreNome - 1));
    return voce;
}

std::optional<QString> NomeDellaRiga(const RigaVoce& voce, SetCaratteri set)
{
    if (voce.nomeNudo && set != SetCaratteri::UCS2 && !voce.nomeGrezzo.isEmpty())
        return std::nullopt;
    return DecodificaTestoAT(voce.nomeGrezzo, set);
}

StatoMemoria LeggiStatoMemoria(const QString& corpo)
{
    const QStringList campi = CampiRisultato(corpo, PrefissoStato);
    const std::optional<int> totale = campi.size() > 2 ? Conteggio(campi.at(2)) : std::nullopt;
    StatoMemoria stato;
    stato.totaleLetto = totale.has_value();
    stato.totale = totale.value_or(0);
    stato.usate = CampoIntero(campi, 1, stato.totale);
    return stato;
}

std::optional<int> UltimaPosizione(const QString& corpo)
{
    const QStringList campi = CampiRisultato(corpo, PrefissoVoce);
    if (campi.isEmpty() || !campi.first().startsWith(u'(') || !campi.first().endsWith(u')'))
        return std::nullopt;
    const QStringView intervallo = QStringView(campi.first()).mid(1, campi.first().size() - 2);
    const qsizetype trattino = intervallo.indexOf(u'-');
    if (trattino < 0 || !InteroTra(intervallo.left(trattino), 1, 1))
        return std::nullopt;
    const std::optional<int> ultima = Conteggio(intervallo.mid(trattino + 1));
    return ultima > 0 ? ultima : std::nullopt;
}

Lunghezze LeggiLunghezze(const QString& corpo)
{
    const QStringList campi = CampiRisultato(corpo, PrefissoVoce);
    return {CampoIntero(campi, 1, MassimaLunghezza), CampoIntero(campi, 2, MassimaLunghezza)};
}

bool RispostaOk(const QString& corpo)
{
    return corpo.mid(2, 2) == QLatin1String("OK");
}

QString CodificaStringaAT(const QByteArray& byte)
{
    QString testo;
    testo.reserve(byte.size() + 2);
    testo += QLatin1Char('"');
    for (const char carattere : byte) {
        const auto valore = static_cast<uint8_t>(carattere);
        if (DaProteggere(valore))
            testo += QLatin1Char('\\') + CifraEsadecimale(valore >> 4) + CifraEsadecimale(valore);
        else
            testo += CarattereDaByte(valore); // the line's character for the byte
    }
    testo += QLatin1Char('"');
    return testo;
}

int LunghezzaNome(const QString& nome, SetCaratteri set)
{
    if (set == SetCaratteri::GSM)
        return static_cast<int>(CodificaTestoGSM(nome).size());
    return static_cast<int>(nome.toUcs4().size());
}

QString NomeScritto(const QString& nome, SetCaratteri set, int limite)
{
    return NomeDaScrivere(nome, NomeRosso(nome), limite,
                          set == SetCaratteri::GSM ? NomeEntroCodiciGSM : NomeEntroCaratteri);
}

QString NomeAT(const QString& nome, SetCaratteri set, int limite)
{
    return CodificaStringaAT(CodificaTestoAT(NomeScritto(nome, set, limite), set));
}

QString NomeSulTelefono(const QString& nome, SetCaratteri set, int limite)
{
    const QByteArray inviato = CodificaTestoAT(NomeScritto(nome, set, limite), set);
    return DecodificaTestoAT(DecodificaWindows1252(inviato), set).value_or(QString());
}

QString NumeroEntro(const QString& numero, int limite)
{
    if (limite <= 0)
        return numero;
    return numero.left(numero.startsWith(QLatin1Char('+')) ? limite + 1 : limite);
}

QString NumeroAT(const QString& numero, int limite)
{
    return CodificaStringaAT(CodificaWindows1252(NumeroEntro(numero, limite)));
}

QString TipoNumero(const QString& numero)
{
    return numero.startsWith(QLatin1Char('+')) ? QStringLiteral("145") : QStringLiteral("129");
}
