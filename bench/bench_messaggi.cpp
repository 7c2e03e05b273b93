// Reading the SIM's ten message slots from the simulated phone, as the message views read them,
// over a line paced at its rate both ways. Prints the time taken against the wire time of the
// bytes moved both ways, and the program's CPU time against it.

#include "globali.h"
#include "letturasms.h"
#include "misura.h"

namespace {

// Messages as a phone keeps them: received (unread and read) and stored to send.
struct Messaggio {
    int stato;
    const char* pdu;
};
const Messaggio Messaggi[] = {
    {0, "0791933395066900040C9193331532547600004230809154214024C374F81D024DE9E179591E06C1D37A7D1844"
        "0E838E69F71B1466B3CB2019EC07"},
    {1, "0791933395066900040C91934310112233000042307001203340224936081E1E8FDF2002282C97A7ED61FA9B05"
        "3ACBC3FA7419D44EB3D9E510"},
    {2, "079193339506690011000C919323585566770000A713C334685E76D3D3E1F61B447EB7C3EEB40B"},
};
constexpr int NumPosizioni = 10;

// Every slot full; in a quick run only two, the others read as empty.
QByteArray Seme(bool rapido)
{
    QByteArray seme = "[messages]\ncentre = +393359609600\ncapacity = 10\n";
    const int piene = rapido ? 2 : NumPosizioni;
    for (int posizione = 1; posizione <= piene; ++posizione) {
        const Messaggio& m = Messaggi[(posizione - 1) % std::size(Messaggi)];
        seme += QByteArray::number(posizione) + " | " + QByteArray::number(m.stato) + " | " + m.pdu
                + "\n";
    }
    return seme;
}

bool LeggiPosizioni()
{
    Telefono.SMSLetti = false;
    LeggiTuttiSMS();
    return Telefono.SMSLetti && Telefono.SMS[1].LunghezzaDati > 0;
}

} // namespace

int main(int argc, char* argv[])
{
    return EseguiBanco(argc, argv,
                       {QStringLiteral("Reads the SIM's ten message slots."), Seme, LeggiPosizioni,
                        QStringLiteral("messages: the ten slots of the SIM"),
                        QStringLiteral("the message slots were not read whole")});
}
