#include "blocchi.h"

#include "attesa.h"
#include "campirisposta.h"
#include "catalogo.h"
#include "globali.h"
#include "scambio.h"

#include <QRegularExpression>

namespace {

constexpr int VoceRicezioneBlocchi = 385;
constexpr int ClasseVoce = 0;
constexpr int ClasseFax = 1;
constexpr int ClasseDati = 2;
// A class is the sum of the bits of one octet.
constexpr int ClasseMassima = 255;

struct BitClasse {
    int bit;
    int classe;
};
// The wire's class bits, in the order a barring reply lists them.
constexpr std::array<BitClasse, NumClassiBlocco> BitClassi{
    {{1, ClasseVoce}, {2, ClasseDati}, {4, ClasseFax}}};

bool FacilitaNota(int facilita)
{
    return facilita >= 0 && facilita < NumFacilitaBlocco
           && !CodiciBlocchi[static_cast<size_t>(facilita)].isEmpty();
}

QString Codice(int facilita)
{
    return CodiciBlocchi[static_cast<size_t>(facilita)];
}

// Sends one command; true when the phone answered OK.
bool InviaConOK(const QString& comando)
{
    EsitoAT esito = EsitoAT::Ok;
    InviaComandoAT(comando, &esito);
    return esito == EsitoAT::Ok;
}

} // namespace

std::optional<StatoClassi> DecodificaBlocco(const QString& risposta, bool sbarramento)
{
    static const QRegularExpression riga(QStringLiteral("\\+CLCK:\\s*(\\d+)(?:\\s*,\\s*(\\d+))?"));
    StatoClassi stato{};
    int righe = 0;
    int lette = 0;
    for (auto it = riga.globalMatch(risposta); it.hasNext(); ++righe) {
        const QRegularExpressionMatch m = it.next();
        const std::optional<int> attivo = InteroTra(m.captured(1), 0, 1);
        const std::optional<int> bit
            = m.captured(2).isEmpty()
                  ? (righe < NumClassiBlocco ? BitClassi[static_cast<size_t>(righe)].bit : 0)
                  : InteroTra(m.captured(2), 1, ClasseMassima);
        if (!attivo || !bit)
            continue;
        ++lette;
        if (!sbarramento) {
            stato[ClasseVoce] = static_cast<uint8_t>(*attivo);
            return stato;
        }
        for (const BitClasse& classe : BitClassi)
            if (*bit & classe.bit)
                stato[static_cast<size_t>(classe.classe)] = static_cast<uint8_t>(*attivo);
    }
    if (lette == 0)
        return std::nullopt;
    return stato;
}

bool CodiceValido(const QString& codice)
{
    static const QRegularExpression cifre(QStringLiteral("^[0-9]+$"));
    return cifre.match(codice).hasMatch();
}

QString ComandoLeggiBlocco(int facilita)
{
    return QStringLiteral("AT+CLCK=") + Codice(facilita) + QStringLiteral(",2");
}

std::optional<QString> ComandoImpostaBlocco(int facilita, uint8_t modo,
                                            const std::optional<QString>& codice,
                                            std::optional<uint8_t> classe)
{
    if (!FacilitaNota(facilita) || (codice && !CodiceValido(*codice)))
        return std::nullopt;
    QString comando = QStringLiteral("AT+CLCK=\"%1\", %2").arg(Codice(facilita)).arg(modo);
    if (codice) {
        comando += QLatin1Char(',') + *codice;
        if (classe)
            comando += QStringLiteral(", %1").arg(*classe);
    }
    return comando;
}

std::optional<QString> ComandoCambiaCodice(int facilita, const QString& vecchio,
                                           const QString& nuovo)
{
    if (!FacilitaNota(facilita) || !CodiceValido(vecchio) || !CodiceValido(nuovo))
        return std::nullopt;
    return QStringLiteral("AT+CPWD=\"%1\",%2,%3").arg(Codice(facilita), vecchio, nuovo);
}

LettureRifiutate LeggiBlocchi()
{
    const AttesaInCorso attesa(Msg(VoceRicezioneBlocchi));
    auto letti = Telefono.Blocchi;
    LettureRifiutate nonDati;
    for (int f = 0; f < NumFacilitaBlocco; ++f) {
        EsitoAT esito = EsitoAT::Ok;
        const QString risposta = InviaComandoAT(ComandoLeggiBlocco(f), &esito);
        // The link is gone or the phone fell silent: the table stays as it was.
        if (!RispostaDelTelefono(esito))
            return {};
        const std::optional<StatoClassi> stato
            = esito == EsitoAT::Ok ? DecodificaBlocco(risposta, Sbarramento(f)) : std::nullopt;
        auto& classi = letti[static_cast<size_t>(f)];
        if (!stato) {
            // Neither the default nor what an earlier read found: the phone did not say.
            if (Sbarramento(f))
                classi.fill(StatoBloccoIgnoto);
            else
                classi[ClasseVoce] = StatoBloccoIgnoto;
            nonDati.AnnotaSeNonDato(NomiBlocchi[static_cast<size_t>(f)], esito, false);
        } else if (Sbarramento(f)) {
            classi = *stato;
        } else {
            classi[ClasseVoce] = (*stato)[ClasseVoce];
        }
    }
    Telefono.Blocchi = letti;
    Telefono.BlocchiLetti = true;
    return nonDati;
}

bool ImpostaBlocco(int facilita, uint8_t modo, const std::optional<QString>& codice,
                   std::optional<uint8_t>& classe)
{
    const std::optional<QString> comando = ComandoImpostaBlocco(facilita, modo, codice, classe);
    if (!comando || !InviaConOK(*comando))
        return false;
    auto& classi = Telefono.Blocchi[static_cast<size_t>(facilita)];
    if (!classe) {
        classe = 0;
        classi[ClasseVoce] = modo;
        return true;
    }
    for (const BitClasse& bit : BitClassi)
        if (*classe & bit.bit)
            classi[static_cast<size_t>(bit.classe)] = modo;
    return true;
}

std::optional<uint8_t> ClasseDelleCaselle(const std::array<bool, 4>& caselle)
{
    constexpr std::array<uint8_t, 4> ClassiCaselle{1, 2, 4, 7};
    uint8_t classe = 0;
    for (size_t i = 0; i < caselle.size(); ++i)
        if (caselle[i])
            classe |= ClassiCaselle[i];
    return classe != 0 ? std::optional<uint8_t>(classe) : std::nullopt;
}

bool CambiaCodice(int facilita, const QString& vecchio, const QString& nuovo)
{
    const std::optional<QString> comando = ComandoCambiaCodice(facilita, vecchio, nuovo);
    return comando && InviaConOK(*comando);
}

QString ClassiBloccate(int facilita, const StatoClassi& stato)
{
    if (!Sbarramento(facilita) || stato[ClasseVoce] != 1)
        return {};
    QString classi;
    for (size_t c = 0; c < stato.size(); ++c)
        if (stato[c] == 1)
            classi += ClassiBlocchi[c];
    return classi;
}
