// The call forwarding views of the main window: the reasons, the classes of one reason, and the
// commands on the selected class.

#include "catalogo.h"
#include "finestre.h"
#include "frmmain.h"
#include "frmtrasf.h"
#include "globali.h"
#include "impostazioni_telefono.h"
#include "interazione.h"
#include "listareport.h"
#include "ricerche.h"
#include "scambiorubrica.h"
#include "trasferimenti.h"
#include "vista.h"

#include <QAction>
#include <QLineEdit>

namespace {

constexpr int PosEditTrasf = 38;
constexpr int ImmagineMotivo = 2;
constexpr int PrimaImmagineClasse = 48;

} // namespace

void ImpostazioniTelefono::ShowTrasfFolder()
{
    Vista vista(QStringLiteral("TRASF"), 11);
    vista.riempi = [this] {
        preparaElenco({{Msg(56), InTwips(f.List1->width()) * 2 / 3, QString()}});
        for (int r = 0; r < NumMotiviTrasf; ++r) {
            QTreeWidgetItem* riga = f.List1->Aggiungi(Msg(57 + r), {}, ImmagineMotivo);
            riga->setData(0, Qt::UserRole, QStringLiteral("T%1").arg(r));
        }
    };
    ApriVista(f, vista);
}

void ImpostazioniTelefono::ShowTrasferimenti(int motivo)
{
    if (motivo < 0 || motivo >= NumMotiviTrasf)
        return;
    Vista vista(QStringLiteral("TRASF%1").arg(motivo), 12,
                {"pAggiorna", "pEditTrasf", "pDelTrasf"});
    vista.letta = [] { return Telefono.TrasfLetti; };
    vista.leggi = [] { LeggiTrasf().Avvisa(); };
    vista.prepara = [this, motivo] {
        // The switch shows the state of the selected row; the view starts with none, so it
        // stands raised until a row is clicked, whatever a click on it or the row of the last
        // view left.
        pulsante(PosEditTrasf)->setChecked(false);
        QList<ListaReport::Colonna> colonne{{Msg(458), 1000, QStringLiteral("kCosa")},
                                            {Msg(459), 400, QStringLiteral("kStato")},
                                            {Msg(460), 1400, QStringLiteral("kNumero")}};
        if (motivo == MotivoSenzaRisposta)
            colonne.append({Msg(461), 1000, QStringLiteral("kTempo")});
        preparaElenco(colonne);
    };
    vista.riempi = [this, motivo] { elencaTrasferimenti(motivo); };
    ApriVista(f, vista);
}

void ImpostazioniTelefono::elencaTrasferimenti(int motivo)
{
    const Trasferimento& t = Telefono.Trasferimenti[static_cast<size_t>(motivo)];
    for (size_t k = 0; k < NumLineeTrasf; ++k) {
        // A line the phone did not give has no number nor time to show either.
        const bool ignota = t.Stato[k] == StatoTrasfIgnoto && t.Numero[k].isEmpty();
        QStringList colonneRiga{StatoMostrato(t.Stato[k]),
                                ignota ? Msg(VoceSconosciuto) : CercaNomeDaNumero(t.Numero[k])};
        if (motivo == MotivoSenzaRisposta)
            colonneRiga << (ignota ? Msg(VoceSconosciuto) : QString::number(t.Tempo[k]) + Msg(462));
        QTreeWidgetItem* riga = f.List1->Aggiungi(ClassiTrasf[k], colonneRiga,
                                                  PrimaImmagineClasse + static_cast<int>(k));
        riga->setData(0, Qt::UserRole, QStringLiteral("k%1").arg(k));
    }
}

int ImpostazioniTelefono::motivoSelezionato() const
{
    const QString chiave = f.ChiaveSelezionata();
    if (chiave.size() != 6 || !chiave.startsWith(QLatin1String("TRASF")))
        return -1;
    const int motivo = chiave.back().digitValue();
    return motivo >= 0 && motivo < NumMotiviTrasf ? motivo : -1;
}

void ImpostazioniTelefono::EditTrasf(bool daBarra)
{
    const int motivo = motivoSelezionato();
    const int linea = rigaSelezionata();
    if (!Connesso || !Telefono.TrasfLetti || motivo < 0 || linea < 0 || linea >= NumLineeTrasf)
        return;
    const QTreeWidgetItem* riga = f.List1->topLevelItem(linea);
    const bool attiva = ListaReport::SottoVoce(riga, 1) == SiNo(true);
    if (daBarra && attiva) {
        ErroreTrasf(ImpostaTrasf(static_cast<uint8_t>(motivo), Disattiva,
                                 static_cast<uint8_t>(linea), QString(), 0));
    } else {
        const bool spuntata = attiva || pulsante(PosEditTrasf)->isChecked();
        offriRubrica();
        frmTrasf dialogo(static_cast<uint8_t>(motivo), static_cast<uint8_t>(linea), spuntata, &f);
        dialogo.MostraEAttendi(dialogo.txtNum);
    }
    ShowTrasferimenti(motivo);
}

void ImpostazioniTelefono::DelTrasf()
{
    const int motivo = motivoSelezionato();
    const int linea = rigaSelezionata();
    if (!Connesso || !Telefono.TrasfLetti || motivo < 0 || linea < 0 || linea >= NumLineeTrasf)
        return;
    ErroreTrasf(ImpostaTrasf(static_cast<uint8_t>(motivo), Cancella, static_cast<uint8_t>(linea),
                             QString(), 0));
    ShowTrasferimenti(motivo);
}

void ImpostazioniTelefono::offriRubrica()
{
    if (Telefono.RubLetta[0])
        return;
    const QString domanda = Msg(388) + QLatin1Char('\n') + Msg(389);
    if (MsgBox(domanda, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // The forwarding commands work only while connected, so the phone itself is read.
    LeggiMemorie(false);
}
