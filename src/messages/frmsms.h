#pragma once

#include "dialogo.h"

#include <QString>

#include <array>
#include <optional>

class frmMain;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
struct VoceFile;

// The compose dialog: one recipient, the text with its live count, validity, service centre,
// class and status report. Its opener builds it, calls Carica (the phone reads of its load),
// sets its title, mode and fields, and shows it with MostraEAttendi.
class frmSMS : public DialogoRestituito {
    Q_OBJECT
public:
    static constexpr uint8_t Codice = 1;
    static constexpr int LimiteCaratteri = 160;

    explicit frmSMS(frmMain& principale);

    // Offers to load the phonebook, reads the service centre when unknown, fills the name
    // list, selects the unit "hours" and disables Send offline.
    void Carica();

    // "0" new message, "1" new message kept in the archive, or the listed position of an
    // edited message.
    QString Modo;

    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr, *Frame4 = nullptr;
    QLineEdit* txtNum = nullptr;
    QComboBox* cmbRub = nullptr;
    QPushButton* pEditList = nullptr; // in place of txtNum for a distribution list
    QComboBox* cmbListe = nullptr;    // in place of cmbRub
    std::array<QRadioButton*, 2> optLD{};
    QLineEdit* txtSMSC = nullptr;
    std::array<QRadioButton*, 2> optTipo{};
    QCheckBox* chkRicevuta = nullptr;
    QLineEdit* txtTempo = nullptr;
    QComboBox* cmbTempo = nullptr;
    QPlainTextEdit* txtMess = nullptr;
    QLabel *labChMax = nullptr, *labChUsati = nullptr, *labChDisp = nullptr;
    QLabel *labTempo = nullptr, *labSMSC = nullptr, *labTipo = nullptr, *labNotifica = nullptr,
           *labMax = nullptr, *labUsati = nullptr, *labDisp = nullptr;
    QPushButton *pInvia = nullptr, *pSalva = nullptr, *pAnnulla = nullptr;

    void InitLang();
    void SetCmbRubrica();
    void SetCmbListe();
    // The validity octet of the period typed in its unit; none when it gives no octet.
    std::optional<QString> CalcolaValidita() const;
    // A text given to the dialog (a reply, an edit) as it was decoded.
    void ImpostaTesto(const QString& testoDecodificato);

    // Sends the message to every member of list `lista` (from 0), asking at each failure
    // whether to retry, skip or stop; the dialog closes when the run ends.
    void InviaLD(int lista, bool rapportoStato, const QString& dcs, const QString& validita);

    void optLD_Click();
    void pEditList_Click();
    void txtNum_Change();
    void cmbRub_Click();
    void txtMess_Change();
    void txtMess_GotFocus();
    void pInvia_Click();
    void pSalva_Click();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void costruisci();
    void semplificaSpazi();
    // The validity and the centre checked before anything is sent or stored; none after
    // telling the user what is wrong.
    std::optional<QString> validitaControllata();
    // The number checked before a message goes to the phone; false after telling the user.
    bool numeroControllato();
    // The letters of the text the GSM alphabet lacks, which would go as "?", named before the
    // message is sent or stored; false when the user would rather edit the text.
    bool lettereAccettate();
    QString dcs() const;
    bool inviaModificato(int posizione, const QString& validita);
    // Sends to one member until it goes out or the user skips it (true) or stops the run
    // (false).
    bool inviaAMembro(int numero, const VoceFile& membro, const QString& validita,
                      bool rapportoStato, const QString& dcs, int& inviati);
    void salvaNelTelefono(const QString& validita);
    void salvaInArchivio(const QString& validita);
    void riprendi();

    frmMain& f;
    QString testoAccettato;
};
