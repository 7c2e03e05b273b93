#include "rubrica.h"

#include "catalogo.h"
#include "filerubrica.h"
#include "finestre.h"
#include "frminputvocerub.h"
#include "frmmain.h"
#include "frmprint.h"
#include "globali.h"
#include "inputvoce.h"
#include "interazione.h"
#include "lettereperse.h"
#include "letture.h"
#include "reportrubrica.h"
#include "rifiuti.h"
#include "scambiorubrica.h"
#include "tabella.h"
#include "vista.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <memory>

namespace {

// Each row of a phonebook view knows its entry, so that a command acts on the row chosen even
// when names repeat.
constexpr int RuoloMemoria = Qt::UserRole + 20;
constexpr int RuoloPosizione = Qt::UserRole + 21;

constexpr uint8_t CodiceVistaMemoria = 4;
constexpr uint8_t CodiceVistaCompleta = 0;
constexpr uint8_t CodiceVistaLista = 6;

constexpr int ImmagineRossa = 16;
constexpr int ImmagineVoce = 17;
constexpr int ImmagineCartella = 2;
constexpr int ImmagineNonInRubrica = 39;

constexpr int VoceSetIgnoto = 884;
constexpr int VoceNonScrivibili = 890;
constexpr int VoceScrivereLeAltre = 891;
constexpr int VoceNonScritte = 892;
constexpr int VoceAltreScritte = 893;
constexpr int VoceEliminazioneRifiutata = 933;
constexpr int VoceDuePunti = 911;
constexpr int VoceSalvareComunque = 941;
constexpr int VoceScritte = 945;
constexpr int VoceSenzaRisposta = 947;
const QString AccapoTesto = QStringLiteral("\r\n");

const VoceRubrica& Voce(int memoria, int posizione)
{
    return Telefono.Rubrica[static_cast<size_t>(memoria)][static_cast<size_t>(posizione)];
}

// An entry as the user knows it: its memory, its position and its name ("SIM 4 Mario Rossi");
// the memory alone for position 0, the whole memory.
QString VoceDescritta(int memoria, int posizione)
{
    QStringList parti{NomiMemoria[static_cast<size_t>(memoria)]};
    if (posizione > 0)
        parti << QString::number(posizione) << NomeMostrato(Voce(memoria, posizione));
    parti.removeAll(QString());
    return parti.join(QLatin1Char(' '));
}

// The heading `intestazione`, then a line for each entry, with why when there is a reason.
QString Elenco(int intestazione, const std::vector<VoceSegnalata>& voci)
{
    QStringList righe{Msg(intestazione)};
    for (const VoceSegnalata& voce : voci) {
        const QString descritta = VoceDescritta(voce.memoria, voce.posizione);
        righe << (voce.motivo.isEmpty() ? descritta : descritta + Msg(VoceDuePunti) + voce.motivo);
    }
    return righe.join(AccapoTesto);
}

// What Put Phonebook says when the link was lost under it: which entries the phone took, which
// it did not, and the one it may have taken.
QString ScritturaInterrotta(const EsitoScritturaRubrica& esito)
{
    QStringList testo{Msg(267)};
    if (!esito.scritte.empty())
        testo << Elenco(VoceScritte, esito.scritte);
    if (!esito.nonScritte.empty())
        testo << Elenco(VoceNonScritte, esito.nonScritte);
    if (!esito.senzaRisposta.empty())
        testo << Elenco(VoceSenzaRisposta, esito.senzaRisposta);
    return testo.join(AccapoTesto);
}

// The used entries whose name or number the file (the phonebook file, or the text export) keeps
// with "?" in place of letters its code page lacks.
LetterePerse LetterePerseNelFile(bool fileRubrica)
{
    LetterePerse perse;
    for (int m = 0; m < NumMemorie; ++m) {
        for (int p = 1; p <= PosizioniTenute(m); ++p)
            if (!Voce(m, p).Posizione.isEmpty())
                perse.Annota(VoceDescritta(m, p), TestiNelFile(Voce(m, p), fileRubrica));
    }
    return perse;
}

ListaReport::Colonna Colonna(int voce, int larghezza, const char* chiave)
{
    return {Msg(voce), larghezza, QString::fromLatin1(chiave)};
}

// At least three digits: 7 shows as 007.
QString PosizioneMostrata(int posizione)
{
    return QStringLiteral("%1").arg(posizione, 3, 10, QLatin1Char('0'));
}

bool NessunaRifiutata()
{
    return std::all_of(RifiutiRubrica.begin(), RifiutiRubrica.end(),
                       [](const QString& rifiuto) { return rifiuto.isEmpty(); });
}

bool TutteLette()
{
    for (int m = 0; m < NumMemorie; ++m)
        if (!Telefono.RubLetta[static_cast<size_t>(m)])
            return false;
    return true;
}

} // namespace

Rubrica::Rubrica(frmMain& finestra) : f(finestra) {}

QString Rubrica::FileRubricaPredefinito()
{
    return FileProgramma(QStringLiteral("Quorna.rub"));
}

bool Rubrica::CaricaFileRubrica(const QString& percorso)
{
    FileRifiutato rifiuto;
    const bool letta = ::CaricaFileRubrica(percorso, &rifiuto);
    SegnalaFileRifiutato(rifiuto);
    return letta;
}

bool Rubrica::completaLettura(bool fileRubrica)
{
    if (Connesso && LineaLibera && !LeggiMemorie(true, fileRubrica))
        return false;
    return TutteLette() && MotivoNessunFile() == 0;
}

void Rubrica::salvataggioAutomatico(bool dopoLettura)
{
    if (Opzioni.AutoSaveRub == 0)
        return;
    // The file keeps what it held: the user hears of it after the reading that found the table
    // so, not at every showing of a view.
    if (const int motivo = MotivoNessunFile()) {
        if (dopoLettura)
            MsgBox(Msg(motivo), QMessageBox::Warning);
        return;
    }
    FileRifiutato nonScritto;
    SalvaFileRubrica(FileRubricaPredefinito(), dopoLettura, &nonScritto);
    if (dopoLettura)
        SegnalaFileNonScritto(nonScritto);
}

bool Rubrica::SalvaFileRubrica(const QString& percorso, bool avvisaLetterePerse,
                               FileRifiutato* nonScritto)
{
    if (!completaLettura(true))
        return false;
    if (!Telefono.SMSCLetto && Connesso && LineaLibera) {
        LeggiCentroSMS();
        // The link was lost meanwhile: the centre in the table may be none of this phone's.
        if (!Telefono.SMSCLetto)
            return false;
    }
    if (avvisaLetterePerse)
        LetterePerseNelFile(true).Avvisa();
    // The program's own phonebook holds the user's numbers: no other user may read it.
    const Accesso accesso = QFileInfo(percorso).absoluteFilePath() == FileRubricaPredefinito()
                                ? Accesso::Privato
                                : Accesso::Consueto;
    return ScriviFileIntero(percorso, BytesFileRubricaConservando(percorso), accesso, nonScritto);
}

bool Rubrica::SalvaFileRubricaTxt(const QString& percorso, FileRifiutato* nonScritto)
{
    return completaLettura(false)
           && ScriviFileIntero(percorso, BytesFileRubricaTxt(), Accesso::Consueto, nonScritto);
}

// The list starts unsorted, so that filling it costs no sort per row; the phonebook views sort it
// by name once it is full.
void Rubrica::preparaElenco(const QList<ListaReport::Colonna>& colonne)
{
    ListaReport& elenco = *f.List1;
    elenco.clear();
    elenco.ImpostaColonne(colonne);
    elenco.setHeaderHidden(false);
    elenco.SetSorted(false);
    elenco.SetSortKey(0);
    elenco.SetSortOrder(0);
    f.ListSortKey = 0;
    f.ListSortOrder = 0;
}

QTreeWidgetItem* Rubrica::aggiungiVoce(int memoria, int posizione, bool conMemoria)
{
    const VoceRubrica& voce = Voce(memoria, posizione);
    QStringList colonne{voce.Numero};
    if (conMemoria)
        colonne << NomiMemoria[static_cast<size_t>(memoria)];
    colonne << PosizioneMostrata(posizione);
    QTreeWidgetItem* riga
        = f.List1->Aggiungi(NomeMostrato(voce), colonne, voce.Rossa ? ImmagineRossa : ImmagineVoce);
    riga->setData(0, RuoloMemoria, memoria);
    riga->setData(0, RuoloPosizione, posizione);
    return riga;
}

void Rubrica::leggiMemorie(bool soloNonLette)
{
    const bool daLeggere = !soloNonLette || !TutteLette();
    if (LeggiMemorie(soloNonLette, Opzioni.AutoSaveRub != 0) && TutteLette())
        salvataggioAutomatico(daLeggere);
}

void Rubrica::ShowRubrica(int16_t memoria)
{
    if (memoria < 0 || memoria > MemoriaRossa)
        return;
    const bool rossa = memoria == MemoriaRossa;
    const auto m = static_cast<size_t>(rossa ? 0 : memoria);
    Vista vista(
        NodoDellaSelezione(memoria), CodiceVistaMemoria,
        {"pAggiorna", "pNuovo", "pModifica", "pElimina", "s4", "pStampaRub", "s5", "pInviaSMS"});
    vista.letta = [m] { return Telefono.RubLetta[m]; };
    vista.leggi = [this] { leggiMemorie(false); };
    vista.prepara = [this, rossa] {
        QList<ListaReport::Colonna> colonne{Colonna(7, 1800, "kNome"), Colonna(8, 1800, "kNum")};
        if (rossa)
            colonne << Colonna(99, 600, "kMem");
        colonne << Colonna(100, 400, "kPos");
        preparaElenco(colonne);
    };
    vista.riempi = [this, memoria] { elencaMemoria(memoria); };
    ApriVista(f, vista);
}

void Rubrica::elencaMemoria(int16_t memoria)
{
    const bool rossa = memoria == MemoriaRossa;
    const int m = rossa ? 0 : memoria;
    int conta = 0;
    for (const int memoriaElencata : rossa ? QList<int>{0, 2} : QList<int>{m}) {
        const int tenute = PosizioniTenute(memoriaElencata);
        for (int p = 1; p <= tenute; ++p) {
            const VoceRubrica& voce = Voce(memoriaElencata, p);
            if (voce.Posizione.isEmpty() || (rossa && !voce.Rossa))
                continue;
            aggiungiVoce(memoriaElencata, p, rossa);
            ++conta;
        }
    }
    f.List1->SetSorted(true);
    if (rossa) {
        f.SBar[3]->setText(QString::number(conta));
    } else {
        const auto mm = static_cast<size_t>(m);
        Telefono.RubUsate[mm] = static_cast<int16_t>(conta);
        f.SBar[3]->setText(RifiutiRubrica[mm].isEmpty()
                               ? QString::number(Telefono.RubUsate[mm]) + QLatin1Char('/')
                                     + QString::number(Telefono.RubTotale[mm])
                               : Msg(VoceSconosciuto));
    }
    f.Pulsante(QStringLiteral("pNuovo"))->setEnabled(true);
    f.mnuRubInvia->setEnabled(Connesso);
    f.mnuRubNuovo->setEnabled(true);
    if (f.List1->topLevelItemCount() > 0) {
        for (QAction* voce : {f.mnuRubEdit, f.mnuRubCanc, f.mnuRubStampa})
            voce->setEnabled(true);
        f.Pulsante(QStringLiteral("pStampaRub"))->setEnabled(true);
    }
    f.mnuRubVis->setEnabled(true);
    f.mnuRubSalvaF->setEnabled(true);
    f.List1->viewport()->update();
}

void Rubrica::ShowRubricaCompleta()
{
    Vista vista(
        NodoDellaSelezione(StampaTutte), CodiceVistaCompleta,
        {"pAggiorna", "pApriRubrica", "pSalvaRubrica", "pInviaRub", "pStampaRub", "pInviaSMS"});
    vista.letta = TutteLette;
    // Every showing while connected saves the phonebook again.
    vista.leggeSempre = true;
    vista.leggi = [this] { leggiMemorie(true); };
    vista.prepara = [this] {
        SeTesto(104, [this](const QString& t) { f.Toolbar1[5]->setToolTip(t); });
        SeTesto(105, [this](const QString& t) { f.Toolbar1[6]->setToolTip(t); });
        // A phonebook file may be opened in place of the phone's, read or not.
        f.Pulsante(QStringLiteral("pApriRubrica"))->setEnabled(true);
        preparaElenco({Colonna(7, 1800, "kNome"), Colonna(8, 1800, "kNum"),
                       Colonna(99, 600, "kMem"), Colonna(100, 300, "kPosMem")});
    };
    vista.riempi = [this] { elencaTutte(); };
    ApriVista(f, vista);
}

void Rubrica::elencaTutte()
{
    // A memory the phone did not say how to read leaves the whole phonebook unknown.
    if (!TutteLette()) {
        AggiungiNonDisponibile(*f.List1);
        return;
    }
    int conta = 0;
    for (int m = 0; m < NumMemorie; ++m) {
        const int tenute = PosizioniTenute(m);
        for (int p = 1; p <= tenute; ++p) {
            if (Voce(m, p).Posizione.isEmpty())
                continue;
            aggiungiVoce(m, p, true);
            ++conta;
        }
    }
    f.List1->SetSorted(true);
    f.SBar[3]->setText(NessunaRifiutata() ? QString::number(conta) + Msg(106)
                                          : Msg(VoceSconosciuto));
    for (const char* chiave : {"pSalvaRubrica", "pStampaRub", "pInviaSMS"})
        f.Pulsante(QLatin1String(chiave))->setEnabled(true);
    if (Connesso) {
        f.mnuRubInvia->setEnabled(true);
        f.Pulsante(QStringLiteral("pInviaRub"))->setEnabled(true);
    }
    for (QAction* voce : {f.mnuRubVis, f.mnuRubStampa, f.mnuRubSalvaF})
        voce->setEnabled(true);
    f.List1->viewport()->update();
}

void Rubrica::memoriaDalNodo(int& memoria, bool& rossa) const
{
    const QString chiave = f.ChiaveSelezionata();
    const int selezione = SelezioneDaNodo(chiave);
    rossa = selezione == StampaRossa;
    memoria = selezione < NumMemorie ? selezione : 0;
}

const VoceRubrica* VoceDellaRiga(const QTreeWidgetItem* riga, int* memoria, int* posizione)
{
    if (!riga || !riga->data(0, RuoloMemoria).isValid())
        return nullptr;
    const int m = riga->data(0, RuoloMemoria).toInt();
    const int p = riga->data(0, RuoloPosizione).toInt();
    if (m < 0 || m >= NumMemorie || !PosizioneValida(p) || Voce(m, p).Posizione.isEmpty())
        return nullptr;
    if (memoria)
        *memoria = m;
    if (posizione)
        *posizione = p;
    return &Voce(m, p);
}

bool Rubrica::RigaConVoce(const QTreeWidgetItem* riga) const
{
    return VoceDellaRiga(riga) != nullptr;
}

bool Rubrica::voceSelezionata(int& memoria, int& posizione) const
{
    return VoceDellaRiga(f.List1->SelectedItem(), &memoria, &posizione) != nullptr;
}

void Rubrica::apriDialogo(uint8_t memoria, int posizione, int didascalia, const QString& nome,
                          const QString& numero, bool rossa, bool nomeIgnoto)
{
    const auto dialogo = std::make_unique<frmInputVoceRub>(memoria, &f);
    dialogo->txtNome->setText(nome);
    if (nomeIgnoto)
        dialogo->ChiediNome();
    dialogo->txtNumero->setText(numero);
    dialogo->txtMem->setText(QString::number(posizione));
    dialogo->chkRossa->setChecked(rossa);
    SeTesto(didascalia, [&dialogo](const QString& t) { dialogo->setWindowTitle(t); });
    dialogo->MostraEAttendi(dialogo->txtNome);
}

void Rubrica::AddRubrica()
{
    int m = 0;
    bool rossa = false;
    memoriaDalNodo(m, rossa);
    const int tenute = PosizioniTenute(m);
    int libera = 0;
    for (int p = 1; p <= tenute && libera == 0; ++p)
        if (PosizioneLibera(m, p))
            libera = p;
    if (libera == 0) {
        // A memory the phone refused is not full: its positions are not known.
        if (const QString& rifiuto = RifiutiRubrica[static_cast<size_t>(m)]; !rifiuto.isEmpty()) {
            LettureRifiutate rifiutata;
            rifiutata.Annota(NomiMemoria[static_cast<size_t>(m)], rifiuto);
            rifiutata.Avvisa();
        } else {
            MsgBox(Msg(102), QMessageBox::Critical);
        }
        return;
    }
    apriDialogo(static_cast<uint8_t>(m), libera, 103, QString(), QString(), rossa);
    ShowRubrica(static_cast<int16_t>(rossa ? MemoriaRossa : m));
}

void Rubrica::EditRubrica()
{
    const int indice = f.List1->indexOfTopLevelItem(f.List1->SelectedItem());
    int vista = 0;
    bool rossa = false;
    memoriaDalNodo(vista, rossa);
    int m = 0;
    int p = 0;
    if (!voceSelezionata(m, p) || !Telefono.RubLetta[static_cast<size_t>(m)])
        return;
    const VoceRubrica voce = Voce(m, p);
    apriDialogo(static_cast<uint8_t>(m), p, 115, voce.Rossa ? NomeSenzaSegno(voce.Nome) : voce.Nome,
                voce.Numero, voce.Rossa, voce.NomeIgnoto);
    ShowRubrica(static_cast<int16_t>(rossa ? MemoriaRossa : m));
    if (QTreeWidgetItem* riga = f.List1->topLevelItem(indice))
        f.List1->setCurrentItem(riga);
}

void Rubrica::DelRubrica()
{
    int vista = 0;
    bool rossa = false;
    memoriaDalNodo(vista, rossa);
    int m = 0;
    int p = 0;
    if (!voceSelezionata(m, p))
        return;
    const QString testo = Msg(107) + QStringLiteral(": [") + f.List1->SelectedItem()->text(0)
                          + QStringLiteral("] ") + Msg(108);
    if (MsgBox(testo, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, Msg(109))
        != QMessageBox::Yes)
        return;
    // A refusal is told with the phone's reason; a link lost tells itself.
    QString rifiuto;
    if (!ScriviVoceRubrica(static_cast<uint8_t>(m), QString::number(p), QString(), QString(),
                           &rifiuto)
        && !rifiuto.isEmpty())
        MsgBox(Msg(VoceEliminazioneRifiutata) + MotivoRifiuto(rifiuto), QMessageBox::Warning);
    ShowRubrica(static_cast<int16_t>(rossa ? MemoriaRossa : m));
}

void Rubrica::StampaRubrica()
{
    const int selezione = SelezioneDaNodo(f.ChiaveSelezionata());
    f.setEnabled(false);
    {
        frmPrint dialogo(selezione, &f);
        dialogo.exec();
    }
    f.setEnabled(true);
}

void Rubrica::SalvaRubrica()
{
    const QString percorso = interazione().SalvaFile(&f, Msg(254), Msg(255), QStringLiteral("rub"));
    if (percorso.isEmpty())
        return;
    const bool fileRubrica = percorso.endsWith(QLatin1String(".rub"), Qt::CaseInsensitive);
    // The letters the file cannot hold are named first: the user may rather leave it as it is.
    if (completaLettura(fileRubrica)
        && !LetterePerseNelFile(fileRubrica).Conferma(VoceSalvareComunque))
        return;
    FileRifiutato nonScritto;
    if (fileRubrica ? SalvaFileRubrica(percorso, false, &nonScritto)
                    : SalvaFileRubricaTxt(percorso, &nonScritto)) {
        MsgBox(Msg(fileRubrica ? 256 : 258) + percorso, QMessageBox::Information);
        return;
    }
    const int fallito = fileRubrica ? 257 : 259;
    // A file the system would not write says why; one never tried, the table's reason below.
    QString testo = nonScritto.motivo == MotivoFileRifiutato::Assente
                        ? Msg(fallito) + percorso
                        : nonScritto.Spiegazione(fallito);
    if (const int motivo = MotivoNessunFile())
        testo += QStringLiteral("\r\n") + Msg(motivo);
    MsgBox(testo, QMessageBox::Critical);
}

void Rubrica::ApriRubrica()
{
    const QString percorso = interazione().ApriFile(&f, Msg(261), Msg(262));
    if (percorso.isEmpty())
        return;
    FileRifiutato rifiuto;
    if (!::CaricaFileRubrica(percorso, &rifiuto)) {
        MsgBox(ConSpiegazione(Msg(265), rifiuto), QMessageBox::Critical);
        return;
    }
    ShowRubricaCompleta();
    MsgBox(Msg(263) + QStringLiteral("\r\n") + Msg(264), QMessageBox::Information);
    f.mnuRubVis->setEnabled(true);
    f.mnuRubSalvaF->setEnabled(true);
    if (Connesso)
        f.Toolbar1[7]->setEnabled(true);
}

void Rubrica::InviaRubrica()
{
    if (!TutteLette()) {
        MsgBox(Msg(268), QMessageBox::Warning);
        return;
    }
    if (!Connesso || !LineaLibera) {
        MsgBox(Msg(267), QMessageBox::Critical);
        return;
    }
    if (SetTelefono == SetCaratteri::Ignoto) {
        MsgBox(Msg(VoceSetIgnoto), QMessageBox::Warning);
        return;
    }
    // Before anything is written: the user may rather mend those names first.
    const std::vector<VoceSegnalata> saltate = VociNonScrivibili();
    if (!saltate.empty()
        && MsgBox(Elenco(VoceNonScrivibili, saltate) + AccapoTesto + Msg(VoceScrivereLeAltre),
                  QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    const EsitoScritturaRubrica esito = ScriviRubrica(saltate);
    if (esito.collegamentoPerso)
        MsgBox(ScritturaInterrotta(esito), QMessageBox::Critical);
    else if (!esito.nonScritte.empty())
        MsgBox(Elenco(VoceNonScritte, esito.nonScritte) + AccapoTesto + Msg(VoceAltreScritte),
               QMessageBox::Warning);
}

void Rubrica::ShowListFolder()
{
    Vista vista(QStringLiteral("LIST"), 5);
    vista.riempi = [this] {
        preparaElenco({Colonna(48, InTwips(f.List1->width()) * 2 / 3, "")});
        const std::array<const char*, NumListeChiamate> chiavi{"L0", "L1", "L2"};
        for (size_t l = 0; l < chiavi.size(); ++l) {
            QTreeWidgetItem* riga
                = f.List1->Aggiungi(Msg(49 + static_cast<int>(l)), {}, ImmagineCartella);
            riga->setData(0, Qt::UserRole, QString::fromLatin1(chiavi[l]));
        }
    };
    ApriVista(f, vista);
}

void Rubrica::LeggiListeChiamate()
{
    ::LeggiListeChiamate();
}

void Rubrica::ShowList(uint8_t lista)
{
    if (lista >= NumListeChiamate)
        return;
    Vista vista(QStringLiteral("LIST_") + CodiceLista(lista), CodiceVistaLista, {"pAggiorna"});
    vista.letta = [lista] { return Telefono.ListeLette[lista]; };
    vista.leggi = [] { ::LeggiListeChiamate(); };
    // The phone's own order, newest call first.
    vista.prepara = [this] {
        preparaElenco({Colonna(7, 1800, "kNome"), Colonna(8, 1800, "kNum")});
    };
    vista.riempi = [this, lista] { elencaChiamate(lista); };
    ApriVista(f, vista);
}

void Rubrica::elencaChiamate(uint8_t lista)
{
    int conta = 0;
    for (size_t p = 1; p <= MaxChiamate; ++p) {
        const VoceChiamata& chiamata = Telefono.Chiamate[lista][p];
        if (chiamata.Numero.isEmpty())
            continue;
        ++conta;
        if (chiamata.NomeIgnoto)
            f.List1->Aggiungi(Msg(VoceSconosciuto), {chiamata.Numero}, ImmagineVoce);
        else if (chiamata.Nome.isEmpty())
            f.List1->Aggiungi(Msg(284), {chiamata.Numero}, ImmagineNonInRubrica);
        else
            f.List1->Aggiungi(chiamata.Nome, {chiamata.Numero},
                              NomeRosso(chiamata.Nome) ? ImmagineRossa : ImmagineVoce);
    }
    if (f.List1->topLevelItemCount() > 0)
        f.mnuLSta->setEnabled(true);
    f.SBar[3]->setText(RifiutiListe[lista].isEmpty() ? QString::number(conta) + Msg(285)
                                                     : Msg(VoceSconosciuto));
    f.List1->viewport()->update();
}
