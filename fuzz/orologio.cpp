// The phone clock's reply ("AT+CCLK?"). What was read, set on the phone with "AT+CCLK=" and read
// again, must come back the same.

#include "comune.h"

#include "orologio.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    Prepara();
    const std::optional<OrologioTelefono> letto = DecodificaOrologio(Testo(dati, lunghezza));
    if (!letto)
        return 0;
    Verifica(letto->DataTel.size() == 8 && letto->OraTel.size() == 8,
             "the clock fields are 8 characters wide", letto->DataTel + letto->OraTel);
    const QStringList data = letto->DataTel.split(QLatin1Char('/'));
    const QStringList ora = letto->OraTel.trimmed().split(QLatin1Char(':'));
    Verifica(data.size() == 3 && ora.size() == 2, "the clock fields are DD/MM/YY and HH:MM",
             letto->DataTel + letto->OraTel);
    for (const QString& campo : data + ora)
        Verifica(ControllaNum(campo, 0, 99) && FormatoDueCifre(campo) == campo,
                 "each clock field is two digits", campo);
    const std::optional<QString> comando
        = ComandoImpostaOrologio(data[0], data[1], data[2], ora[0], ora[1], QStringLiteral("00"));
    Verifica(comando.has_value(), "the clock read can be set", letto->DataTel + letto->OraTel);
    QString rispostaRiletta = *comando;
    rispostaRiletta.replace(QStringLiteral("AT+CCLK="), QStringLiteral("+CCLK: "));
    const std::optional<OrologioTelefono> riletto = DecodificaOrologio(rispostaRiletta);
    Verifica(riletto && riletto->DataTel == letto->DataTel && riletto->OraTel == letto->OraTel,
             "a clock set reads back the same", rispostaRiletta);
    return 0;
}
