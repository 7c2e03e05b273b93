#include "righeat.h"

#include "codecs.h"
#include "inputvoce.h"
#include "testo.h"

namespace {

constexpr qsizetype PrefissoRisultato = 7; // "+CPBR: "
constexpr qsizetype CorpoSenzaVoci = 15;
constexpr qsizetype PrefissoStato = 12; // "+CPBS: "SM","

QChar CifraEsadecimale(int valore)
{
    return QLatin1Char("0123456789ABCDEF"[valore & 0xF]);
}

// The codes that fit in `limite` bytes; an escape code and the extension code after it go
// together or not at all.
QByteArray CodiciEntro(const QByteArray& codici, qsizetype limite)
{
    qsizetype taglio = 0;
    while (taglio < codici.size()) {
        const qsizetype passo = codici.at(taglio) == '\x1B' ? 2 : 1;
        if (taglio + passo > limite)
            break;
        taglio += passo;
    }
    return codici.left(taglio);
}

bool DaProteggere(uint8_t byte)
{
    return byte < 0x20 || byte == '"' || byte == '\\' || byte == 0x7F;
}

} // namespace

QStringList RigheVoci(const QString& corpo)
{
    QStringList righe;
    if (corpo.size() <= CorpoSenzaVoci)
        return righe;
    qsizetype inizio = 0;
    while (inizio < corpo.size()) {
        qsizetype fine = corpo.indexOf(QStringLiteral("\r\n"), inizio);
        if (fine < 0)
            fine = corpo.size();
        if (fine - inizio > PrefissoRisultato)
            righe << corpo.mid(inizio + PrefissoRisultato, fine - inizio - PrefissoRisultato);
        inizio = fine + 2;
    }
    return righe;
}

std::optional<RigaVoce> DecodificaRigaVoce(const QString& riga)
{
    const qsizetype virgola = riga.indexOf(QLatin1Char(','));
    const qsizetype apre = riga.indexOf(QLatin1Char('"'));
    const qsizetype chiude = apre < 0 ? -1 : riga.indexOf(QLatin1Char('"'), apre + 1);
    if (virgola < 0 || apre < 0 || chiude < 0)
        return std::nullopt;
    RigaVoce voce;
    voce.posizione = NumeroIniziale(QStringView(riga).left(virgola));
    voce.numero = riga.mid(apre + 1, chiude - apre - 1);
    const qsizetype nome = riga.indexOf(QLatin1Char('"'), chiude + 1);
    if (nome >= 0 && riga.size() - nome - 2 > 0)
        voce.nomeGrezzo = riga.mid(nome + 1, riga.size() - nome - 2);
    return voce;
}

StatoMemoria LeggiStatoMemoria(const QString& corpo)
{
    StatoMemoria stato;
    if (corpo.size() <= PrefissoStato)
        return stato;
    const QStringView resto = QStringView(corpo).mid(PrefissoStato);
    const qsizetype virgola = resto.indexOf(QLatin1Char(','));
    stato.usate = NumeroIniziale(resto);
    if (virgola >= 0)
        stato.totale = NumeroIniziale(resto.mid(virgola + 1));
    return stato;
}

Lunghezze LeggiLunghezze(const QString& corpo)
{
    Lunghezze lunghezze;
    const qsizetype prima = corpo.indexOf(QLatin1Char(','));
    if (prima < 0)
        return lunghezze;
    lunghezze.numero = NumeroIniziale(QStringView(corpo).mid(prima + 1));
    const qsizetype seconda = corpo.indexOf(QLatin1Char(','), prima + 1);
    if (seconda >= 0)
        lunghezze.nome = NumeroIniziale(QStringView(corpo).mid(seconda + 1));
    return lunghezze;
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
            testo += QChar(valore);
    }
    testo += QLatin1Char('"');
    return testo;
}

QString NomeAT(const QString& nome, int limite)
{
    const QByteArray codici = CodificaTestoGSM(nome);
    if (limite <= 0 || codici.size() <= limite)
        return CodificaStringaAT(codici);
    const QString senzaSegno = NomeSenzaSegno(nome);
    if (senzaSegno.size() == nome.size())
        return CodificaStringaAT(CodiciEntro(codici, limite));
    // A red name keeps its mark: it is the name before it that gives way.
    const QByteArray segno = CodificaTestoGSM(nome.right(1));
    return CodificaStringaAT(CodiciEntro(CodificaTestoGSM(senzaSegno), limite - segno.size())
                             + segno);
}

QString NumeroAT(const QString& numero, int limite)
{
    return CodificaStringaAT(CodificaWindows1252(limite > 0 ? numero.left(limite) : numero));
}

QString TipoNumero(const QString& numero)
{
    return numero.startsWith(QLatin1Char('+')) ? QStringLiteral("145") : QStringLiteral("129");
}
