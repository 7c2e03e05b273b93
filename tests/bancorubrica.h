#pragma once

// The bench of the end-to-end phonebook tests: the main window with the phonebook subsystem, no
// default phonebook file nor memory limits left by an earlier test, and the entry dialog filled
// in as the user fills it.

#include "banco.h"
#include "frminputvocerub.h"
#include "rubrica.h"
#include "statobase.h"
#include "tabella.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <optional>

// Fills the entry dialog once it is open, and presses OK. `rossa`, when given, sets the red mark;
// `nomeMostrato`, when given, gets the name the dialog showed before.
inline void CompilaVoce(QObject* contesto, const QString& nome, const QString& numero,
                        std::optional<bool> rossa = std::nullopt, QString* nomeMostrato = nullptr)
{
    QTimer::singleShot(0, contesto, [=] {
        auto* dialogo = qobject_cast<frmInputVoceRub*>(FinestraDialogo(2));
        QVERIFY(dialogo);
        if (nomeMostrato)
            *nomeMostrato = dialogo->txtNome->text();
        dialogo->txtNome->setText(nome);
        dialogo->txtNumero->setText(numero);
        if (rossa)
            dialogo->chkRossa->setChecked(*rossa);
        dialogo->pOk->click();
    });
}

class BancoRubrica : protected Banco {
protected:
    // Whether the phonebook is saved to its default file after each read, as the user may ask.
    enum class Salvataggio { Manuale, DopoLaLettura };

    Rubrica* rubrica = nullptr;

    explicit BancoRubrica(QByteArray seme = QByteArray()) : Banco(std::move(seme)) {}

    void apriRubrica(Salvataggio salvataggio)
    {
        StatoDiPartenza();
        LimitiRubrica = {};
        if (salvataggio == Salvataggio::DopoLaLettura)
            Opzioni.AutoSaveRub = 1;
        QFile::remove(Rubrica::FileRubricaPredefinito());
        rubrica = apriCon<Rubrica>(&frmMain::rubrica);
    }
};
