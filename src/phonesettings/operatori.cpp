#include "operatori.h"

#include "attesa.h"
#include "campirisposta.h"
#include "catalogo.h"
#include "codecs.h"
#include "fileinteri.h"
#include "globali.h"
#include "lettereperse.h"
#include "righeat.h"
#include "scambio.h"
#include "setcaratteri.h"

namespace {

constexpr int VoceRicezioneOperatori = 465;
constexpr int VoceNomiNonLetti = 921;
// The file keeps a code of this many characters, then a comma, then the name.
constexpr qsizetype LunghezzaCodice = 5;
constexpr QStringView PrefissoOperatore = u"+COPN:";
// A line for each of the codes five digits can write, each with the longest name a phone gives
// an operator and room to spare.
constexpr qint64 MaxByteFile = 100000 * qint64(LunghezzaCodice + 1 + 64 + 2);

Operatore operatoreDaRigaFile(const QString& riga)
{
    return {CodiceOperatore(riga.left(LunghezzaCodice)), riga.mid(LunghezzaCodice + 1)};
}

// A line end inside a name would split its record in the file in two.
QString NomeSuUnaRiga(QString nome)
{
    return nome.replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

bool CodiceRete(const QString& codice)
{
    return SoloCifre(codice) && (codice.size() == 5 || codice.size() == 6);
}

QString CodiceOperatore(const QString& testo)
{
    return testo.leftJustified(LunghezzaCodice, QLatin1Char(' '));
}

bool CaricaFileOperatori(const QString& percorso, FileRifiutato* rifiuto)
{
    const std::optional<QByteArray> contenuto = LeggiFileIntero(percorso, MaxByteFile, rifiuto);
    if (!contenuto) {
        Telefono.OperatoriLetti = false;
        return false;
    }
    QStringList righe = DecodificaWindows1252(*contenuto).split(QLatin1Char('\n'));
    // The text after the last line end, and an empty file, are no line of their own.
    if (righe.last().isEmpty())
        righe.removeLast();
    std::vector<Operatore> letti;
    for (QString& riga : righe) {
        if (riga.endsWith(QLatin1Char('\r')))
            riga.chop(1);
        letti.push_back(operatoreDaRigaFile(riga));
    }
    Telefono.Operatori = std::move(letti);
    Telefono.OperatoriLetti = true;
    return true;
}

bool SalvaFileOperatori(const QString& percorso)
{
    QString testo;
    LetterePerse perse;
    for (const Operatore& op : Telefono.Operatori) {
        // A six-digit code does not fit the file's field: cut, it would name another operator.
        if (op.Codice.size() > LunghezzaCodice)
            continue;
        testo += op.Codice + QLatin1Char(',') + op.Nome + QStringLiteral("\r\n");
        perse.Annota(TagliaSpazi(op.Codice) + QLatin1Char(' ') + op.Nome, op.Nome);
    }
    perse.Avvisa();
    return ScriviFileIntero(percorso, CodificaWindows1252(testo));
}

std::vector<Operatore> DecodificaOperatori(const QString& risposta, bool* nomiIgnoti)
{
    // Each line: "+COPN:", the code (some phones quote it, or give it in UCS2 hex), a comma, the
    // name in double quotes. A line whose code is no network code is garbled: it would name no
    // operator anyway. One whose name cannot be read would name it wrongly.
    std::vector<Operatore> operatori;
    if (nomiIgnoti)
        *nomiIgnoti = false;
    for (const QString& riga : risposta.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const QStringList campi = CampiRisposta(riga);
        if (!riga.startsWith(PrefissoOperatore) || campi.size() < 2)
            continue;
        const QString codice = CodiceOperatoreDaCampo(campi.at(0));
        const std::optional<QString> nome = NomeOperatoreDaRisposta(campi.at(1));
        if (!CodiceRete(codice))
            continue;
        if (nome)
            operatori.push_back({CodiceOperatore(codice), *nome});
        else if (nomiIgnoti)
            *nomiIgnoti = true;
    }
    return operatori;
}

void LeggiOperatori()
{
    const AttesaInCorso attesa(Msg(VoceRicezioneOperatori));
    EsitoAT esito = EsitoAT::Ok;
    const QString risposta = InviaComandoAT(QStringLiteral("AT+COPN"), &esito);
    if (esito != EsitoAT::Ok && esito != EsitoAT::Errore)
        return;
    bool nomiIgnoti = false;
    std::vector<Operatore> letti = DecodificaOperatori(risposta, &nomiIgnoti);
    // Only a bare OK says the phone has no operators; a reply with lines and not one operator
    // in them is garbled, and must not replace a good list, nor must one whose names come in a
    // set the program cannot read (the user was told of the set on connecting), nor one with
    // names that could not be read, which would lose those operators.
    const bool setNoto = SetTelefono != SetCaratteri::Ignoto;
    if (esito == EsitoAT::Ok && setNoto && nomiIgnoti)
        AvvisaDopoOperazione(Msg(VoceNomiNonLetti), QMessageBox::Warning);
    if (esito == EsitoAT::Ok && setNoto && !nomiIgnoti && (!letti.empty() || risposta == OKNudo)) {
        Telefono.Operatori = std::move(letti);
        SalvaFileOperatori(FileProgramma(QStringLiteral("reti.op")));
    }
    // Otherwise the phone has no list to give: the table and its file stay as they are, and the
    // phone is not asked again on this connection.
    Telefono.OperatoriLetti = true;
}

std::optional<QString> NomeOperatoreDaRisposta(const QString& campo)
{
    const std::optional<QString> nome
        = DecodificaTestoAT(SenzaEscape(SenzaVirgolette(campo)), SetTelefono);
    if (!nome)
        return std::nullopt;
    return NomeSuUnaRiga(*nome);
}

QString NomeOperatore(const QString& codice)
{
    const QString cercato = CodiceOperatore(codice);
    for (const Operatore& op : Telefono.Operatori)
        if (op.Codice == cercato)
            return op.Nome;
    return codice;
}

uint8_t LivelloSegnale(int16_t dBm)
{
    if (dBm == 0)
        return 0;
    if (dBm >= -51)
        return 5;
    if (dBm >= -79)
        return 4;
    if (dBm >= -93)
        return 3;
    if (dBm >= -103)
        return 2;
    if (dBm >= -110)
        return 1;
    return 0;
}
