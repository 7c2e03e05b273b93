// Where the tree, the toolbar, the menus and the pop-up menus lead.

#include "catalogo.h"
#include "frmabout.h"
#include "frmconfig.h"
#include "frmi.h"
#include "frmlang.h"
#include "frmmain.h"
#include "globali.h"
#include "immagini.h"
#include "interazione.h"
#include "listareport.h"
#include "vocabolario.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTreeWidget>

#include <functional>

namespace {

const int RuoloImmagine = Qt::UserRole + 1;
const int RuoloImmagineAperta = Qt::UserRole + 2;

// An expanded branch shows its open picture while it is open.
void mostraImmagineAperta(QTreeWidgetItem* nodo, bool aperto)
{
    const int aperta = nodo->data(0, RuoloImmagineAperta).toInt();
    if (aperta == 0)
        return;
    const int immagine = aperto ? aperta : nodo->data(0, RuoloImmagine).toInt();
    nodo->setIcon(0, ImmagineLista(immagine));
}

} // namespace

void frmMain::collegaComandi()
{
    connect(S25Tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* nodo) { S25Tree_NodeClick(nodo); });
    connect(S25Tree, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* nodo) { S25Tree_NodeClick(nodo); });
    connect(S25Tree, &QTreeWidget::itemExpanded, this,
            [](QTreeWidgetItem* nodo) { mostraImmagineAperta(nodo, true); });
    connect(S25Tree, &QTreeWidget::itemCollapsed, this,
            [](QTreeWidgetItem* nodo) { mostraImmagineAperta(nodo, false); });
    for (int i = 1; i <= NumPulsanti; ++i) {
        QAction* pulsante = Toolbar1[static_cast<size_t>(i)];
        connect(pulsante, &QAction::triggered, this,
                [this, pulsante] { Toolbar1_ButtonClick(pulsante); });
    }
    collegaMenu();
    collegaPopup();
    collegaElenco();
}

void frmMain::S25Tree_NodeClick(QTreeWidgetItem* nodo)
{
    SBar[3]->setText(QString());
    if (nodo)
        MostraVista(nodo->data(0, Qt::UserRole).toString());
}

void frmMain::MostraVista(const QString& chiave)
{
    const QHash<QString, std::function<void()>> viste{
        {"S25", [this] { collegamento->ShowInfo(); }},
        {"ALIM", [this] { collegamento->ShowAlim(); }},
        {"RETE", [this] { collegamento->ShowRete(0); }},
        {"RUB", [this] { rubrica->ShowRubricaCompleta(); }},
        {"RUB_SIM", [this] { rubrica->ShowRubrica(0); }},
        {"RUB_SIMSP", [this] { rubrica->ShowRubrica(1); }},
        {"RUB_TEL", [this] { rubrica->ShowRubrica(2); }},
        {"RUB_PER", [this] { rubrica->ShowRubrica(3); }},
        {"RUB_ROS", [this] { rubrica->ShowRubrica(4); }},
        {"CAL", [this] { oggetti->ShowCalendario(); }},
        {"SMS", [this] { messaggi->ShowSMSInfo(); }},
        {"SMS_IN",
         [this] {
             uint8_t c = 0;
             messaggi->ShowSMS(c);
         }},
        {"SMS_OUT",
         [this] {
             uint8_t c = 1;
             messaggi->ShowSMS(c);
         }},
        {"SMS_NOOUT",
         [this] {
             uint8_t c = 2;
             messaggi->ShowSMS(c);
         }},
        {"SMS_ARC",
         [this] {
             uint8_t c = 3;
             messaggi->ShowSMS(c);
         }},
        {"LIST", [this] { rubrica->ShowListFolder(); }},
        {"LIST_RC", [this] { rubrica->ShowList(0); }},
        {"LIST_MC", [this] { rubrica->ShowList(1); }},
        {"LIST_LD", [this] { rubrica->ShowList(2); }},
        {"ORA", [this] { impostazioni->ShowDataOra(); }},
        {"MEL", [this] { oggetti->ShowMidi(); }},
        {"LOGO", [this] { oggetti->ShowLogo(); }},
        {"BLOCK", [this] { impostazioni->ShowBlocchi(); }},
        {"TRASF", [this] { impostazioni->ShowTrasfFolder(); }},
        {"TRASF0", [this] { impostazioni->ShowTrasferimenti(0); }},
        {"TRASF1", [this] { impostazioni->ShowTrasferimenti(1); }},
        {"TRASF2", [this] { impostazioni->ShowTrasferimenti(2); }},
        {"TRASF3", [this] { impostazioni->ShowTrasferimenti(3); }},
    };
    const auto vista = viste.constFind(chiave);
    if (vista != viste.cend())
        (*vista)();
}

void frmMain::Aggiorna()
{
    const QString chiave = ChiaveSelezionata();
    if (chiave == QLatin1String("ALIM")) {
        Telefono.AlimLetta = false;
    } else if (chiave == QLatin1String("RETE")) {
        Telefono.ReteLetta = false;
        if (CurrentView == 13) {
            collegamento->ShowRete(0);
            CurrentView = 13;
            impostazioni->ShowSelRete(1);
            return;
        }
    } else if (chiave == QLatin1String("RUB")) {
        Telefono.RubLetta.fill(false);
    } else if (chiave.startsWith(QLatin1String("RUB_"))) {
        static const QHash<QString, int> memorie{
            {"RUB_SIM", 0}, {"RUB_SIMSP", 1}, {"RUB_TEL", 2}, {"RUB_PER", 3}, {"RUB_ROS", 4}};
        if (!memorie.contains(chiave))
            return;
        Telefono.RubLetta[static_cast<size_t>(memorie.value(chiave))] = false;
        // The red list is read with the SIM memory.
        if (chiave == QLatin1String("RUB_ROS"))
            Telefono.RubLetta[0] = false;
    } else if (chiave == QLatin1String("SMS")) {
        Telefono.SMSCLetto = false;
    } else if (chiave == QLatin1String("SMS_IN") || chiave == QLatin1String("SMS_OUT")
               || chiave == QLatin1String("SMS_NOOUT")) {
        Telefono.SMSLetti = false;
    } else if (chiave == QLatin1String("SMS_ARC")) {
        ArchivioLetto = false;
    } else if (chiave == QLatin1String("CAL")) {
        Telefono.PromLetti = false;
    } else if (chiave == QLatin1String("LIST_RC")) {
        Telefono.ListeLette[0] = false;
    } else if (chiave == QLatin1String("LIST_MC")) {
        Telefono.ListeLette[1] = false;
    } else if (chiave == QLatin1String("LIST_LD")) {
        Telefono.ListeLette[2] = false;
    } else if (chiave.startsWith(QLatin1String("TRASF"))) {
        Telefono.TrasfLetti = false;
    } else if (chiave == QLatin1String("BLOCK")) {
        Telefono.BlocchiLetti = false;
    } else if (chiave == QLatin1String("ORA")) {
        Telefono.OraLetta = false;
    } else if (chiave == QLatin1String("MEL")) {
        Telefono.MidiLetta = false;
    } else if (chiave == QLatin1String("LOGO")) {
        Telefono.LogoLetto = false;
    } else {
        return; // "S25", "LIST" and anything else: nothing to read again
    }
    MostraVista(chiave);
}

void frmMain::Toolbar1_ButtonClick(QAction* pulsante)
{
    const QString chiave = pulsante->objectName();
    // The logo and the melody share their send, open and save buttons.
    using Comando = void (FunzioniOggetti::*)();
    const auto perVista = [this](Comando perLogo, Comando perMelodia) {
        return [this, perLogo, perMelodia] {
            if (CurrentView == 1)
                (oggetti.get()->*perLogo)();
            else if (CurrentView == 7)
                (oggetti.get()->*perMelodia)();
        };
    };
    const QHash<QString, std::function<void()>> comandi{
        {"pConnetti",
         [this] {
             collegamento->Connetti();
             Form_Resize();
         }},
        {"pAggiorna", [this] { Aggiorna(); }},
        {"pApriRubrica", [this] { rubrica->ApriRubrica(); }},
        {"pSalvaRubrica", [this] { rubrica->SalvaRubrica(); }},
        {"pInviaRub", [this] { rubrica->InviaRubrica(); }},
        {"pNuovo", [this] { rubrica->AddRubrica(); }},
        {"pModifica", [this] { rubrica->EditRubrica(); }},
        {"pElimina",
         [this] {
             const QString prefisso = ChiaveSelezionata().left(4);
             if (prefisso == QLatin1String("RUB_"))
                 rubrica->DelRubrica();
             else if (prefisso == QLatin1String("LOGO"))
                 oggetti->DelLogo();
             else if (prefisso == QLatin1String("MEL"))
                 oggetti->DelMidi();
         }},
        {"pStampaRub", [this] { rubrica->StampaRubrica(); }},
        {"pInviaSMS", [this] { messaggi->InviaSMS(true, false); }},
        {"pInviaLogo", perVista(&FunzioniOggetti::InviaLogo, &FunzioniOggetti::InviaMidi)},
        {"pRispondiSMS", [this] { messaggi->RispondiSMS(); }},
        {"pNuovoSMS", [this] { messaggi->InviaSMS(false, true); }},
        {"pSalvaSMS", [this] { messaggi->SalvaSMS(); }},
        {"pEditSMS", [this] { messaggi->EditSMS(); }},
        {"pEliminaSMS", [this] { messaggi->DelSMS(); }},
        {"pSalvaSMSinTel",
         [this] {
             if (Connesso)
                 messaggi->SalvaSMS();
         }},
        {"pInviaSMS2", [this] { messaggi->InviaSMSdaTel(); }},
        {"pStampaSMS", [this] { messaggi->StampaSMS(); }},
        {"pApriLogo", perVista(&FunzioniOggetti::ApriLogo, &FunzioniOggetti::ApriMidi)},
        {"pSalvaLogo", perVista(&FunzioniOggetti::SalvaLogo, &FunzioniOggetti::SalvaMidi)},
        {"pNuovoProm", [this] { oggetti->AddProm(); }},
        {"pModificaProm", [this] { oggetti->EditProm(); }},
        {"pEliminaProm", [this] { oggetti->DelProm(); }},
        {"pApriProm", [this] { oggetti->ApriProm(); }},
        {"pSalvaProm", [this] { oggetti->SalvaProm(); }},
        {"pInviaProm", [this] { oggetti->InviaProm(); }},
        {"pStampaProm", [this] { oggetti->StampaProm(); }},
        {"pEditTrasf", [this] { impostazioni->EditTrasf(true); }},
        {"pDelTrasf", [this] { impostazioni->DelTrasf(); }},
        {"pBlocca", [this] { impostazioni->CambiaBlocco(); }},
        {"pSelRete",
         [this, pulsante] { impostazioni->ShowSelRete(pulsante->isChecked() ? 1 : 0); }},
    };
    const auto comando = comandi.constFind(chiave);
    if (comando != comandi.cend())
        (*comando)();
}

void frmMain::vistaDaMenu(const QString& chiave)
{
    Espandi(chiave);
    MostraVista(chiave);
}

void frmMain::collegaMenu()
{
    const auto su = [this](QAction* voce, std::function<void()> comando) {
        connect(voce, &QAction::triggered, this, [comando = std::move(comando)] { comando(); });
    };
    su(mnuTConn, [this] { collegamento->Connetti(); });
    su(mnuTDisc, [this] {
        if (collegamento->PortOpen())
            collegamento->ChiudiPorta();
    });
    su(mnuTAlim, [this] {
        Telefono.AlimLetta = false;
        collegamento->ShowAlim();
    });
    su(mnuTRete, [this] {
        Telefono.ReteLetta = false;
        collegamento->ShowRete(0);
    });
    su(mnuTSpegni,
       [this] { MsgBox(Msg(72), QMessageBox::Information, QMessageBox::Ok, {}, this); });
    su(mnuTEsci, [this] { close(); });

    su(mnuRubRic, [this] {
        Telefono.RubLetta.fill(false);
        rubrica->ShowRubricaCompleta();
    });
    su(mnuRubInvia, [this] { rubrica->InviaRubrica(); });
    su(mnuRubVTutta, [this] { vistaDaMenu(QStringLiteral("RUB")); });
    su(mnuRubVSIM, [this] { vistaDaMenu(QStringLiteral("RUB_SIM")); });
    su(mnuRubVSIMSP, [this] { vistaDaMenu(QStringLiteral("RUB_SIMSP")); });
    su(mnuRubVTel, [this] { vistaDaMenu(QStringLiteral("RUB_TEL")); });
    su(mnuRubVRossa, [this] { vistaDaMenu(QStringLiteral("RUB_ROS")); });
    su(mnuRubVNP, [this] { vistaDaMenu(QStringLiteral("RUB_PER")); });
    su(mnuRubNuovo, [this] { rubrica->AddRubrica(); });
    su(mnuRubEdit, [this] { rubrica->EditRubrica(); });
    su(mnuRubCanc, [this] { rubrica->DelRubrica(); });
    su(mnuRubStampa, [this] { rubrica->StampaRubrica(); });
    su(mnuRubApriF, [this] { rubrica->ApriRubrica(); });
    su(mnuRubSalvaF, [this] { rubrica->SalvaRubrica(); });

    su(mnuSMSRic, [this] {
        collegamento->LeggiCentroSMS();
        messaggi->LeggiTuttiSMS();
        messaggi->ShowSMSInfo();
    });
    su(mnuSMSVInfo, [this] { messaggi->ShowSMSInfo(); });
    const std::array<const char*, 4> cartelle{"SMS_IN", "SMS_OUT", "SMS_NOOUT", "SMS_ARC"};
    for (size_t i = 0; i < mnuSMSVM.size(); ++i)
        su(mnuSMSVM[i], [this, chiave = QLatin1String(cartelle[i])] { vistaDaMenu(chiave); });
    su(mnuSMSNew, [this] {
        messaggi->InviaSMS(false, true);
        Aggiorna();
    });
    su(mnuSMSSalvaA, [this] { messaggi->SalvaSMS(); });
    su(mnuSMSSalvaS, [this] {
        if (Connesso)
            messaggi->SalvaSMS();
    });
    su(mnuSMSEdit, [this] { messaggi->EditSMS(); });
    su(mnuSMSDel, [this] { messaggi->DelSMS(); });
    su(mnuSMSRis, [this] { messaggi->RispondiSMS(); });
    su(mnuSMSInv, [this] { messaggi->InviaSMSdaTel(); });
    su(mnuSMSSta, [this] { messaggi->StampaSMS(); });
    connect(mnuSMSNotifica, &QAction::triggered, this, [this] { mnuSMSNotifica_Click(); });

    su(mnuCRic, [this] {
        Telefono.PromLetti = false;
        oggetti->ShowCalendario();
    });
    su(mnuCInvia, [this] { oggetti->InviaProm(); });
    su(mnuCVisProm, [this] { oggetti->ShowCalendario(); });
    su(mnuCNuovo, [this] { oggetti->AddProm(); });
    su(mnuCEdit, [this] { oggetti->EditProm(); });
    su(mnuCDel, [this] { oggetti->DelProm(); });
    su(mnuCStampa, [this] { oggetti->StampaProm(); });
    su(mnuCApri, [this] { oggetti->ApriProm(); });
    su(mnuCSalva, [this] { oggetti->SalvaProm(); });

    su(mnuLRic, [this] {
        rubrica->LeggiListeChiamate();
        rubrica->ShowListFolder();
    });
    for (size_t i = 0; i < mnuLVL.size(); ++i)
        su(mnuLVL[i], [this, i] { rubrica->ShowList(static_cast<uint8_t>(i)); });

    su(mnuMRic, [this] {
        Telefono.MidiLetta = false;
        oggetti->ShowMidi();
    });
    su(mnuMInv, [this] { oggetti->InviaMidi(); });
    su(mnuMDel, [this] { oggetti->DelMidi(); });
    su(mnuMApri, [this] { oggetti->ApriMidi(); });
    su(mnuMSalva, [this] { oggetti->SalvaMidi(); });

    su(mnuLoRic, [this] {
        Telefono.LogoLetto = false;
        oggetti->ShowLogo();
    });
    su(mnuLoInv, [this] { oggetti->InviaLogo(); });
    su(mnuLoDel, [this] { oggetti->DelLogo(); });
    su(mnuLoApri, [this] { oggetti->ApriLogo(); });
    su(mnuLoSalva, [this] { oggetti->SalvaLogo(); });

    su(mnuOConf, [this] {
        frmConfig dialogo(*collegamento, this);
        dialogo.exec();
    });
    su(mnuOLingua, [this] { mnuOLingua_Click(); });
    su(mnuHInfo, [this] {
        frmAbout dialogo(this);
        dialogo.exec();
    });
}

void frmMain::collegaPopup()
{
    const auto su = [this](QAction* voce, std::function<void()> comando) {
        connect(voce, &QAction::triggered, this, [comando = std::move(comando)] { comando(); });
    };
    su(popRNew, [this] { rubrica->AddRubrica(); });
    su(popREdit, [this] { rubrica->EditRubrica(); });
    su(popRDel, [this] { rubrica->DelRubrica(); });
    su(popRPrint, [this] { rubrica->StampaRubrica(); });
    su(popRSMS, [this] { messaggi->InviaSMS(true, false); });
    // The pop-up's Send does what the menu's Send does: send the stored message.
    su(popSSend, [this] { messaggi->InviaSMSdaTel(); });
    su(popSReply, [this] { messaggi->RispondiSMS(); });
    su(popSEdit, [this] { messaggi->EditSMS(); });
    su(popSDel, [this] { messaggi->DelSMS(); });
    su(popSSA, [this] { messaggi->SalvaSMS(); });
    su(popSSS, [this] {
        if (Connesso)
            messaggi->SalvaSMS();
    });
    su(popSPrint, [this] { messaggi->StampaSMS(); });
    su(popPEdit, [this] { oggetti->EditProm(); });
    su(popPDel, [this] { oggetti->DelProm(); });
}

void frmMain::mnuSMSNotifica_Click()
{
    // The check mark shows the last switch the phone accepted; Qt has already toggled it.
    const bool eraAttiva = !mnuSMSNotifica->isChecked();
    const bool accettata = collegamento->ImpostaNotificaSMS(!eraAttiva);
    mnuSMSNotifica->setChecked(accettata ? !eraAttiva : eraAttiva);
}

void frmMain::mnuOLingua_Click()
{
    const int16_t primaBase = BaseLang;
    {
        frmLAng dialogo(this);
        dialogo.exec();
    }
    if (BaseLang == primaBase)
        return;
    ApplicaTraduzioniQt();
    const QString chiave = ChiaveSelezionata();
    InitLang();
    InitTabelleLingua();
    messaggi->LinguaCambiata();
    Espandi(chiave);
    if (QTreeWidgetItem* nodo = S25Tree->currentItem(); nodo && !chiave.isEmpty())
        S25Tree_NodeClick(nodo);
}
