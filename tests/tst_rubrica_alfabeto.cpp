// Phonebook names in the GSM alphabet, end to end against the simulated phone: what is read
// shows the true characters, and whatever is written back unchanged, entry by entry, as a whole
// phonebook or through a phonebook file, reaches the phone as the codes it came from.

#include "bancorubrica.h"
#include "catalogo.h"
#include "filerubrica.h"
#include "frmmain.h"
#include "globali.h"
#include "rubrica.h"
#include "s25simulator.h"
#include "scambiorubrica.h"
#include "statobase.h"
#include "tabella.h"

#include <QTemporaryDir>
#include <QtTest>

#include <map>

using s25sim::PhonebookEntry;
using s25sim::PhoneState;

namespace {

using Voci = std::map<int, PhonebookEntry>;

QByteArray Codici(std::initializer_list<int> codici)
{
    QByteArray byte;
    for (const int codice : codici)
        byte.append(static_cast<char>(codice));
    return byte;
}

PhonebookEntry Voce(int posizione, const QByteArray& nome)
{
    return {"06" + QByteArray::number(posizione), 129, nome};
}

// The SIM holds every code of the basic table that a name can carry (all but the escape, which
// only starts an extension pair), twelve to a name, then the extension pairs.
Voci VociSIM()
{
    QByteArray base;
    for (int codice = 0; codice < 128; ++codice) {
        if (codice != 27)
            base.append(static_cast<char>(codice));
    }
    Voci voci;
    int posizione = 1;
    for (qsizetype inizio = 0; inizio < base.size(); inizio += 12, ++posizione)
        voci[posizione] = Voce(posizione, base.mid(inizio, 12));
    voci[posizione] = Voce(posizione, Codici({27, 10, 27, 20, 27, 40, 27, 41, 27, 47}));
    ++posizione;
    voci[posizione] = Voce(posizione, Codici({27, 60, 27, 61, 27, 62, 27, 64, 27, 101}));
    return voci;
}

constexpr int PosizioneGreca = 3;
const QByteArray NomeGreco = Codici({16, 18, 19, 20, 21, 22, 23, 24, 25, 26, 96, 64});
const QByteArray NomeRossoGreco = Codici({16, 24, 96, 42, 33});     // "ΔΣ¿*!"
const QByteArray NomeSpagnolo = Codici({96, 81, 117, 27, 101, 63}); // "¿Qu€?"

// The phone memory: Greek capitals, the inverted marks, a red name.
Voci VociTelefono()
{
    return {{PosizioneGreca, Voce(PosizioneGreca, NomeGreco)},
            {5, Voce(5, NomeRossoGreco)},
            {8, Voce(8, NomeSpagnolo)}};
}

PhoneState Telefono25()
{
    PhoneState stato = s25sim::defaultPhoneState();
    stato.phonebooks["SM"].total = 20;
    stato.phonebooks["SM"].nameLength = 12;
    stato.phonebooks["SM"].entries = VociSIM();
    stato.phonebooks["ME"].total = 10;
    stato.phonebooks["ME"].nameLength = 16;
    stato.phonebooks["ME"].entries = VociTelefono();
    return stato;
}

// The names of a memory as the phone holds them, by position.
std::map<int, QByteArray> Nomi(const PhoneState& stato, const QByteArray& memoria)
{
    std::map<int, QByteArray> nomi;
    for (const auto& [posizione, voce] : stato.phonebooks.at(memoria).entries)
        nomi[posizione] = voce.name;
    return nomi;
}

std::map<int, QByteArray> Nomi(const Voci& voci)
{
    std::map<int, QByteArray> nomi;
    for (const auto& [posizione, voce] : voci)
        nomi[posizione] = voce.name;
    return nomi;
}

} // namespace

class TstRubricaAlfabeto : public QObject, private BancoRubrica {
    Q_OBJECT

    QTemporaryDir cartella;

    // Empties the phone's SIM and phone memories, so that only what the program writes is there.
    void svuotaTelefono()
    {
        telefono->changeState([](PhoneState& stato) {
            stato.phonebooks["SM"].entries.clear();
            stato.phonebooks["ME"].entries.clear();
        });
    }

    void leggiTutto()
    {
        Telefono.RubLetta.fill(false);
        clic("RUB_SIM");
        QVERIFY(Telefono.RubLetta[0] && Telefono.RubLetta[2]);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(CatalogoMessaggi::Carica());
        QVERIFY(cartella.isValid());
    }

    void init()
    {
        apriRubrica(Salvataggio::Manuale);
        accendi(Telefono25());
        connetti();
    }

    void cleanup() { chiudi(); }

    void nomiLettiConICaratteriVeri()
    {
        leggiTutto();
        QCOMPARE(Telefono.Rubrica[2][PosizioneGreca].Nome, QStringLiteral("ΔΦΓΛΩΠΨΣΘΞ¿¡"));
        QCOMPARE(Telefono.Rubrica[2][5].Nome, QStringLiteral("ΔΣ¿*!"));
        QVERIFY(Telefono.Rubrica[2][5].Rossa);
        QCOMPARE(Telefono.Rubrica[2][8].Nome, QStringLiteral("¿Qu€?"));
        QCOMPARE(Telefono.Rubrica[0][12].Nome, QStringLiteral("\f^{}\\"));
        QCOMPARE(Telefono.Rubrica[0][13].Nome, QStringLiteral("[~]|€"));
        for (int p = 1; p <= 13; ++p)
            QCOMPARE(Telefono.Rubrica[0][static_cast<size_t>(p)].Nome,
                     telefono->state().readableName("SM", p));
    }

    // Each entry written back as it was read, as the entry dialog's OK does.
    void vociRiscritteUnaAUna()
    {
        leggiTutto();
        svuotaTelefono();
        for (const int memoria : {0, 2}) {
            for (int p = 1; p <= PosizioniTenute(memoria); ++p) {
                const VoceRubrica voce
                    = Telefono.Rubrica[static_cast<size_t>(memoria)][static_cast<size_t>(p)];
                if (!voce.Posizione.isEmpty())
                    QVERIFY(ScriviVoceRubrica(static_cast<uint8_t>(memoria), voce.Posizione,
                                              voce.Nome, voce.Numero));
            }
        }
        QCOMPARE(Nomi(telefono->state(), "SM"), Nomi(VociSIM()));
        QCOMPARE(Nomi(telefono->state(), "ME"), Nomi(VociTelefono()));
    }

    // The whole phonebook sent back after it was read.
    void rubricaRispedita()
    {
        leggiTutto();
        svuotaTelefono();
        rubrica->InviaRubrica();
        QVERIFY(risposte->boxes.isEmpty());
        QCOMPARE(Nomi(telefono->state(), "SM"), Nomi(VociSIM()));
        QCOMPARE(Nomi(telefono->state(), "ME"), Nomi(VociTelefono()));
    }

    // Through a phonebook file, which keeps Windows-1252: what it has comes back as the same
    // codes, a character it lacks (the Greek capitals) comes back as "?".
    void rubricaPassataPerUnFile()
    {
        leggiTutto();
        const QByteArray file = BytesFileRubrica();
        const int recordGreco
            = 1 + (1 + PosizioniTenute(0)) + (1 + PosizioniTenute(1)) + 1 + PosizioneGreca - 1;
        QCOMPARE(file.mid(49 * recordGreco + 1, 16), QByteArray("??????????\xBF\xA1    "));
        const QString percorso = cartella.filePath("alfabeto.rub");
        QVERIFY(ScriviFileIntero(percorso, file));
        Telefono = DatiTelefono{};
        QVERIFY(CaricaFileRubrica(percorso));
        svuotaTelefono();
        rubrica->InviaRubrica();
        QVERIFY(risposte->boxes.isEmpty());

        std::map<int, QByteArray> attesi = Nomi(VociSIM());
        for (auto& [posizione, nome] : attesi) {
            for (qsizetype i = 0; i < nome.size(); ++i) {
                if (nome.at(i) == 27)
                    ++i; // an extension pair, which Windows-1252 has
                else if (NomeGreco.left(10).contains(nome.at(i)))
                    nome[i] = '?';
            }
        }
        QCOMPARE(Nomi(telefono->state(), "SM"), attesi);
        QCOMPARE(
            Nomi(telefono->state(), "ME"),
            (std::map<int, QByteArray>{{PosizioneGreca, QByteArray(10, '?') + Codici({96, 64})},
                                       {5, Codici({63, 63, 96, 42, 33})},
                                       {8, NomeSpagnolo}}));
    }
};

QTEST_MAIN(TstRubricaAlfabeto)
#include "tst_rubrica_alfabeto.moc"
