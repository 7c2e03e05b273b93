// Writes the seeds of the fuzz targets' corpora: the simulated phone's replies to what the program
// sends, and the files the program writes of what it read from that phone. Each seed is named by
// the SHA-1 of its bytes, as libFuzzer names its own, so a second run adds nothing twice.
//
//     fuzz_semina <corpus folder>

#include "comune.h"
#include "sessione.h"

#include "archivio.h"
#include "codecs.h"
#include "codifica.h"
#include "fileprom.h"
#include "filerubrica.h"
#include "globali.h"
#include "immaginelogo.h"
#include "impostazioni.h"
#include "listedistribuzione.h"
#include "objects/blocchi.h"
#include "operatori.h"
#include "phonesettings/blocchi.h"
#include "promemoria.h"
#include "ricevitore.h"
#include "righeat.h"
#include "scambiorubrica.h"
#include "tabella.h"
#include "trasferimenti.h"

#include "atinterpreter.h"
#include "reply.h"
#include "seedfile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSettings>

#include <cstdio>
#include <functional>

namespace {

using s25sim::PhoneState;

// The demo phone of the simulator, changed as a seed needs it.
class TelefonoSimulato {
public:
    explicit TelefonoSimulato(const std::function<void(PhoneState&)>& cambia = {})
        : stato(Demo()), interprete(stato)
    {
        stato.modem.echo = false;
        if (cambia)
            cambia(stato);
    }

    // The bytes the phone sends for a command line, as they come down the line.
    QByteArray Grezza(const QString& comando)
    {
        return s25sim::frame(interprete.execute(comando.toLatin1()), stato.modem);
    }
    // The bytes it sends for data ended with Ctrl-Z.
    QByteArray DopoDati(const QString& dati)
    {
        return s25sim::frame(interprete.finishData(dati.toLatin1()), stato.modem);
    }
    // The reply body the exchange hands to the program's parsers.
    QString Corpo(const QString& comando)
    {
        return TagliaRisposta(DecodificaWindows1252(Grezza(comando)));
    }

    PhoneState stato;

private:
    static PhoneState Demo()
    {
        QString errore;
        const std::optional<PhoneState> demo = s25sim::loadSeedFile(S25SIM_DEMO_SEED, &errore);
        Verifica(demo.has_value(), "the demo phone loads", errore);
        return *demo;
    }

    s25sim::AtInterpreter interprete;
};

class Corpora {
public:
    explicit Corpora(const QString& radice) : radice(radice) {}

    void Aggiungi(const char* bersaglio, const QByteArray& seme)
    {
        const QString cartella = radice + QLatin1Char('/') + QString::fromLatin1(bersaglio);
        QDir().mkpath(cartella);
        const QByteArray nome = QCryptographicHash::hash(seme, QCryptographicHash::Sha1).toHex();
        ScriviFile(cartella + QLatin1Char('/') + QString::fromLatin1(nome), seme);
    }
    void Aggiungi(const char* bersaglio, const QStringList& parti)
    {
        Aggiungi(bersaglio, CodificaWindows1252(parti.join(QChar())));
    }
    void Aggiungi(const char* bersaglio, uint8_t primo, const QByteArray& resto)
    {
        Aggiungi(bersaglio, QByteArray(1, static_cast<char>(primo)) + resto);
    }

private:
    QString radice;
};

QByteArray Latin1(const QString& testo)
{
    return CodificaWindows1252(testo);
}

// The session of the exchange target, each answer as the phone sends it, with the echo of the
// first command (the phone echoes until ATE0) and lines the phone sends on its own.
QList<QByteArray> RisposteSessione(TelefonoSimulato& t)
{
    QList<QByteArray> risposte;
    for (const Passo& passo : Copione()) {
        if (passo.dopoPrompt)
            risposte << t.DopoDati(passo.comando.chopped(1));
        else
            risposte << t.Grezza(passo.comando);
    }
    risposte.first().prepend("ATE0\r");
    return risposte;
}

void SemiScambio(Corpora& c)
{
    TelefonoSimulato t;
    const QList<QByteArray> risposte = RisposteSessione(t);
    const QByteArray sessione = risposte.join('\0');
    for (const uint8_t testa : {0x00, 0x04, 0x0F, 0x3F, 0x47})
        c.Aggiungi("scambio", testa, sessione);
    // Lines the phone sends on its own, inside and around replies.
    const QByteArray ring = s25sim::frameUnsolicited("RING", t.stato.modem);
    const QByteArray clip = s25sim::frameUnsolicited("+CLIP: \"+393351234567\",145", t.stato.modem);
    const QByteArray cmti = s25sim::frameUnsolicited("+CMTI: \"SM\",3", t.stato.modem);
    QList<QByteArray> conNonRichieste = risposte;
    conNonRichieste[1].prepend(ring + clip);
    conNonRichieste[3].insert(conNonRichieste[3].size() / 2, cmti);
    conNonRichieste[4].append(cmti);
    c.Aggiungi("scambio", 0x3F, conNonRichieste.join('\0'));
    // Refusals and a phone that stops answering half-way.
    QList<QByteArray> rifiuti = risposte;
    rifiuti[2] = "\r\nERROR\r\n";
    rifiuti[3] = "\r\n+CME ERROR: 21\r\n";
    rifiuti[5] = "\r\n+CMS ERROR: 304\r\n";
    rifiuti[7] = rifiuti[7].left(100);
    c.Aggiungi("scambio", 0x07, rifiuti.join('\0'));
    c.Aggiungi("scambio", 0x47, rifiuti.mid(0, 8).join('\0'));
    // The data prompt among the phone's own lines, and a final OK whose body reads ">".
    QList<QByteArray> promptTraRighe = risposte;
    promptTraRighe[5] = ring + risposte[5] + "\r\n" + cmti.mid(2);
    promptTraRighe[8] = "\r\n>\r\n\r\nOK\r\n";
    for (const uint8_t testa : {0x01, 0x3F})
        c.Aggiungi("scambio", testa, promptTraRighe.join('\0'));
}

// The block writer's session with the simulated phone: each block announced, its hex (which the
// phone does not answer), Ctrl-Z.
QList<QByteArray> RisposteScrittura(TelefonoSimulato& t, const QByteArray& oggetto)
{
    const QStringList blocchi = BlocchiHex(oggetto);
    QList<QByteArray> risposte;
    for (int i = 0; i < blocchi.size(); ++i) {
        risposte << t.Grezza(QStringLiteral("AT^SBNW=bmp,0,%1,%2").arg(i + 1).arg(blocchi.size()))
                 << QByteArray() << t.DopoDati(blocchi[i]);
    }
    return risposte;
}

void SemiScritturaBlocchi(Corpora& c)
{
    TelefonoSimulato t;
    // Two blocks: 70 threes of bytes, as the target builds its object.
    constexpr uint8_t Lunghezza = 70;
    QByteArray oggetto(3 * Lunghezza, '\0');
    for (qsizetype i = 0; i < oggetto.size(); ++i)
        oggetto[i] = static_cast<char>(i * 7);
    const QList<QByteArray> risposte = RisposteScrittura(t, oggetto);
    const auto aggiungi = [&c](uint8_t testa, const QList<QByteArray>& parti) {
        c.Aggiungi("scrittura_blocchi", QByteArray(1, static_cast<char>(testa))
                                            + QByteArray(1, static_cast<char>(Lunghezza))
                                            + parti.join('\0'));
    };
    for (const uint8_t testa : {0x00, 0x3F, 0x47})
        aggiungi(testa, risposte);
    const QByteArray cmti = s25sim::frameUnsolicited("+CMTI: \"SM\",3", t.stato.modem);
    const QByteArray ring = s25sim::frameUnsolicited("RING", t.stato.modem);
    QList<QByteArray> traRighe = risposte;
    traRighe[0] += "\r\n" + cmti.mid(2);
    traRighe[3] = ring + traRighe[3] + "\r\n" + ring.mid(2);
    aggiungi(0x3F, traRighe);
    aggiungi(0x02, traRighe);
    QList<QByteArray> okConPrompt = risposte;
    okConPrompt[3] = "\r\n>\r\n\r\nOK\r\n";
    aggiungi(0x3F, okConPrompt);
    QList<QByteArray> rifiuti = risposte;
    rifiuti[2] = "\r\n+CME ERROR: 3\r\n";
    aggiungi(0x3F, rifiuti);
}

void SemiStato(Corpora& c)
{
    const QList<std::function<void(PhoneState&)>> telefoni{
        {},
        [](PhoneState& s) {
            s.power = {1, 100};
            s.network.rssi = 0;
            s.network.ber = 7;
        },
        [](PhoneState& s) {
            s.power = {2, 0};
            s.network.rssi = 31;
            s.network.registration = 5;
        },
        [](PhoneState& s) {
            s.network.rssi = 99;
            s.network.ber = 99;
            s.network.registration = 0;
            s.network.registrationMode = 0;
        },
        [](PhoneState& s) {
            s.network.operatorFormat = 0;
            s.network.registration = 2;
            s.identity.manufacturer = "ARDESIA\r\nS25";
        },
    };
    for (const auto& cambia : telefoni) {
        TelefonoSimulato t(cambia);
        QStringList r;
        for (const char* comando : {"AT+CGMI", "AT+CGMM", "AT+CGMR", "AT+CGSN", "AT+CIMI",
                                    "AT^SCID", "AT+CBC", "AT+CREG?"})
            r << t.Corpo(QString::fromLatin1(comando));
        t.Corpo(QStringLiteral("AT+COPS=3,2"));
        for (const char* comando : {"AT+COPS?", "AT+CSQ", "AT+CSCA?"})
            r << t.Corpo(QString::fromLatin1(comando));
        c.Aggiungi("stato", r);
    }
}

void SemiRubrica(Corpora& c)
{
    TelefonoSimulato t;
    const QStringList liste{"RC", "MC", "LD"};
    for (int m = 0; m < NumMemorie; ++m) {
        t.Corpo(QStringLiteral("AT+CPBS=\"%1\"").arg(CodiceMemoria(m)));
        const QString stato = t.Corpo(QStringLiteral("AT+CPBS?"));
        const QString limiti = t.Corpo(QStringLiteral("AT+CPBR=?"));
        const int totale = std::clamp(LeggiStatoMemoria(stato).totale, 1, MaxPosizioniRubrica);
        const QString voci = t.Corpo(QStringLiteral("AT+CPBR=1,%1").arg(totale));
        t.Corpo(QStringLiteral("AT+CPBS=\"%1\"").arg(liste[m % liste.size()]));
        const QString chiamate = t.Corpo(QStringLiteral("AT+CPBR=1,10"));
        c.Aggiungi("righe_rubrica", QStringList{stato, limiti, voci, chiamate});
    }
}

void SemiOggetti(Corpora& c)
{
    TelefonoSimulato t;
    c.Aggiungi("risposta_blocchi", 0, Latin1(t.Corpo(QStringLiteral("AT^SBNR=\"bmp\",0"))));
    c.Aggiungi("risposta_blocchi", 1, Latin1(t.Corpo(QStringLiteral("AT^SBNR=\"mid\",0"))));
    for (int n = 1; n <= 3; ++n)
        c.Aggiungi("risposta_blocchi", static_cast<uint8_t>(2 + 3 * (n - 1)),
                   Latin1(t.Corpo(QStringLiteral("AT^SBNR=\"vcs\",%1").arg(n))));
    c.Aggiungi("suoneria", QStringList{t.Corpo(QStringLiteral("AT^SRTC=?")),
                                       t.Corpo(QStringLiteral("AT^SRTC?"))});
    TelefonoSimulato altro([](PhoneState& s) { s.ringTone = {16, 4, 0, 0, false}; });
    c.Aggiungi("suoneria", QStringList{altro.Corpo(QStringLiteral("AT^SRTC=?")),
                                       altro.Corpo(QStringLiteral("AT^SRTC?"))});
}

void SemiImpostazioniTelefono(Corpora& c)
{
    TelefonoSimulato t;
    const QString lunghezze = t.Corpo(QStringLiteral("AT+CPWD=?"));
    for (int f = 0; f < NumFacilitaBlocco; ++f)
        c.Aggiungi("blocchi", static_cast<uint8_t>(f),
                   Latin1(t.Corpo(ComandoLeggiBlocco(f)) + QChar() + lunghezze));
    for (int motivo = 0; motivo < NumMotiviTrasf; ++motivo)
        c.Aggiungi("trasferimenti", static_cast<uint8_t>(motivo),
                   Latin1(t.Corpo(ComandoLeggiTrasf(motivo))));
    c.Aggiungi("reti", QStringList{t.Corpo(QStringLiteral("AT+COPS=?")),
                                   t.Corpo(QStringLiteral("AT+COPN"))});
    c.Aggiungi("orologio", Latin1(t.Corpo(QStringLiteral("AT+CCLK?"))));
    TelefonoSimulato altro([](PhoneState& s) {
        s.network.operators = {{"22201", "I TIM"}};
        s.clock.set(QDateTime(QDate(2031, 12, 31), QTime(23, 59, 59)));
        s.clock.running = false;
    });
    c.Aggiungi("reti", QStringList{altro.Corpo(QStringLiteral("AT+COPS=?")),
                                   altro.Corpo(QStringLiteral("AT+COPN"))});
    c.Aggiungi("orologio", Latin1(altro.Corpo(QStringLiteral("AT+CCLK?"))));
}

void SemiMessaggi(Corpora& c)
{
    TelefonoSimulato t;
    for (int slot = 1; slot <= 5; ++slot)
        c.Aggiungi("pdu", 1, Latin1(t.Corpo(QStringLiteral("AT+CMGR=%1").arg(slot))));
    for (const auto& [numero, slot] : t.stato.messages.bySlot)
        c.Aggiungi("pdu", 0, QByteArray::fromHex(slot.pdu));
    const QString inviato = CostruisciPDU(QString(), QStringLiteral("Ci sentiamo domani.\r€[x]"),
                                          QStringLiteral("+393285556677"), QStringLiteral("A7"),
                                          true, QStringLiteral("F0"));
    c.Aggiungi("pdu", 0, QByteArray::fromHex(inviato.toLatin1()));

    // Flags, validity, lengths, then number, centre and text characters.
    for (const QByteArray& seme :
         {QByteArray("\x00\xA7\x0D\x00+393285556677Ci sentiamo domani.", 36),
          QByteArray("\x0B\xFF\x03\x0E*31+393359609600\x01\x02\x03\x04\x05\x06\x07\x08", 28),
          QByteArray("\x05\x00\x00\x00", 4) + QByteArray(170, 'e')})
        c.Aggiungi("pdu_andata_ritorno", seme);
}

void RubricaDalTelefono(TelefonoSimulato& t)
{
    Telefono = DatiTelefono();
    for (int m = 0; m < NumMemorie; ++m) {
        t.Corpo(QStringLiteral("AT+CPBS=\"%1\"").arg(CodiceMemoria(m)));
        const StatoMemoria stato = LeggiStatoMemoria(t.Corpo(QStringLiteral("AT+CPBS?")));
        const int totale = std::clamp(stato.totale, 0, MaxPosizioniRubrica);
        for (const QString& riga :
             RigheVoci(t.Corpo(QStringLiteral("AT+CPBR=1,%1").arg(std::max(totale, 1)))))
            DecodificaVoceRubrica(riga, Telefono.Rubrica[static_cast<size_t>(m)]);
        Telefono.RubUsate[static_cast<size_t>(m)] = static_cast<int16_t>(stato.usate);
        Telefono.RubTotale[static_cast<size_t>(m)] = static_cast<int16_t>(totale);
    }
    Telefono.SMSC = QStringLiteral("+393359609600");
}

// The demo phone's SIM entries, then names and numbers whose ends hold tabs, no-break spaces
// and blanks, and a red name longer than its field.
void SemiRubricaAndataRitorno(Corpora& c, const TelefonoSimulato& t)
{
    QStringList testi{QStringLiteral("+393359609600")};
    for (const auto& [posizione, voce] : t.stato.phonebooks.at("SM").entries)
        testi << ConvertiTestoGSM(DecodificaWindows1252(voce.name))
              << DecodificaWindows1252(voce.number);
    c.Aggiungi("rubrica_andata_ritorno", testi);
    c.Aggiungi("rubrica_andata_ritorno",
               QStringList{QStringLiteral(" +39 335\t"), QStringLiteral("\tAnna\u00A0"),
                           QStringLiteral("  333 123\u00A0"), QStringLiteral("  "),
                           QStringLiteral("\f"), QStringLiteral("Giovanni Battista Rossi!"),
                           QStringLiteral("0123456789012345678901234567890123")});
}

void SemiFile(Corpora& c)
{
    // Memories with fewer positions, so that the file stays a few kilobytes.
    TelefonoSimulato t([](PhoneState& s) {
        s.phonebooks["SM"].total = 20;
        s.phonebooks["ME"].total = 30;
    });
    RubricaDalTelefono(t);
    c.Aggiungi("file_rubrica", BytesFileRubrica());
    SemiRubricaAndataRitorno(c, t);

    ListeDistribuzione.clear();
    QList<VoceFile> membri;
    for (int p = 1; p <= 3; ++p) {
        const VoceRubrica& voce = Telefono.Rubrica[0][static_cast<size_t>(p)];
        membri << VoceFile{static_cast<uint8_t>(p), voce.Nome, voce.Numero, 0};
    }
    ListeDistribuzione << ListaDistribuzione{NomeLista(QStringLiteral("Famiglia")), membri}
                       << ListaDistribuzione{NomeLista(QStringLiteral("Calcetto del giovedì")),
                                             membri.mid(1)};
    Verifica(SalvaFileListeD(), "the lists are saved");
    c.Aggiungi("liste_distribuzione", LeggiFile(FileProgramma(QStringLiteral("distrib.lst"))));
    Telefono = DatiTelefono();
    c.Aggiungi("file_rubrica", BytesFileRubrica());

    const QString archivio = FileProgramma(QStringLiteral("archivio.sms"));
    QFile::remove(archivio);
    for (const auto& [numero, slot] : t.stato.messages.bySlot) {
        Verifica(AggiungiSMSArchivio(QString::fromLatin1(slot.pdu),
                                     static_cast<uint8_t>(slot.status < 2 ? 0 : 1),
                                     static_cast<uint8_t>(slot.status)),
                 "a message is archived");
        c.Aggiungi("archivio", LeggiFile(archivio));
    }

    const std::vector<Operatore> operatori
        = DecodificaOperatori(t.Corpo(QStringLiteral("AT+COPN")));
    Telefono.Operatori = operatori;
    const QString reti = FileDiLavoro(QStringLiteral("reti.op"));
    Verifica(SalvaFileOperatori(reti), "the operators are saved");
    c.Aggiungi("operatori", LeggiFile(reti));
    c.Aggiungi("operatori", QByteArray("22201,TIM\n22210,Vodafone IT"));
}

void SemiPromemoria(Corpora& c)
{
    TelefonoSimulato t;
    SvuotaProm(Telefono.Promemoria);
    size_t slot = 1;
    for (int n = 1; n <= 2; ++n) {
        const std::optional<QByteArray> dati = DatiDaBlocchi(
            t.Corpo(QStringLiteral("AT^SBNR=\"vcs\",%1").arg(n)), QStringLiteral("vcs"), n);
        Verifica(dati.has_value(), "a demo reminder reads");
        c.Aggiungi("vcalendar", *dati);
        Telefono.Promemoria[slot++] = DecodificaVCalendar(DecodificaWindows1252(*dati));
    }
    for (size_t k = 0; k < CategorieProm.size(); ++k) {
        const QString testo = CodificaVCalendar(
            QStringLiteral("20241231"), QStringLiteral("235900"),
            QStringLiteral("Promemoria %1").arg(k), CategorieProm[k], RipetizioniProm[k]);
        c.Aggiungi("vcalendar", Latin1(testo));
        Telefono.Promemoria[slot++] = DecodificaVCalendar(testo);
    }
    c.Aggiungi("file_prom", ContenutoFileProm(Telefono.Promemoria));
}

void SemiImpostazioni(Corpora& c)
{
    const QString file = QSettings(QStringLiteral("Quorna"), QStringLiteral("Quorna")).fileName();
    QFile::remove(file);
    const QString general = QStringLiteral("General");
    for (const auto& [chiave, valore] : {std::pair{"Language", 1},
                                         {"AutoSaveRub", 1},
                                         {"AutoLoadRub", 0},
                                         {"SaveWindow", 1},
                                         {"SplashScreen", 0},
                                         {"AutoLoadOPsList", 1}})
        ScriviImpostazione(general, QString::fromLatin1(chiave), valore);
    SalvaPosizioneFinestra(QRect(1500, 900, 12000, 9000));
    ScriviImpostazione(QStringLiteral("Config"), QStringLiteral("COMPort"), 1);
    c.Aggiungi("impostazioni", LeggiFile(file));
    c.Aggiungi("impostazioni",
               QByteArray("[%General]\r\nLanguage=2\r\nX=-2.5\r\nW= 9e3 \r\nH=70000\r\n"));
}

QByteArray Immagine(const QImage& immagine, const char* formato)
{
    QByteArray byte;
    QBuffer buffer(&byte);
    buffer.open(QIODevice::WriteOnly);
    immagine.save(&buffer, formato);
    return byte;
}

void SemiLogo(Corpora& c)
{
    TelefonoSimulato t;
    c.Aggiungi("logo", t.stato.objects.logo);
    QImage disegno(97, 26, QImage::Format_RGB32);
    disegno.fill(Qt::white);
    QPainter pittore(&disegno);
    pittore.setPen(Qt::blue);
    pittore.drawRect(0, 0, 96, 25);
    pittore.drawText(disegno.rect(), Qt::AlignCenter, QStringLiteral("S25"));
    pittore.end();
    c.Aggiungi("logo", BitmapLogo(disegno));
    c.Aggiungi("logo", Immagine(disegno.scaled(12, 4), "BMP"));
    // The smallest GIF: one transparent pixel.
    c.Aggiungi("logo", QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000"
                                           "002c00000000010001000002024401003b"));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    Prepara(Applicazione::Grafica);
    Corpora c(QString::fromLocal8Bit(argv[1]));
    SemiScambio(c);
    SemiScritturaBlocchi(c);
    SemiStato(c);
    SemiRubrica(c);
    SemiOggetti(c);
    SemiImpostazioniTelefono(c);
    SemiMessaggi(c);
    SemiFile(c);
    SemiPromemoria(c);
    SemiImpostazioni(c);
    SemiLogo(c);
    return 0;
}
