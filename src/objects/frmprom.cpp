#include "frmprom.h"
#include "dialogo.h"

#include "catalogo.h"
#include "globali.h"
#include "interazione.h"
#include "promemoria.h"
#include "scambioprom.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

constexpr int MaxTesto = 16;

QLineEdit* Campo(int lunghezza, QWidget* padre)
{
    auto* campo = new QLineEdit(padre);
    campo->setMaxLength(lunghezza);
    campo->setFixedWidth(lunghezza > 2 ? 48 : 32);
    return campo;
}

int Scelta(const std::array<QRadioButton*, 4>& opzioni)
{
    for (size_t i = 0; i < opzioni.size(); ++i)
        if (opzioni[i]->isChecked())
            return static_cast<int>(i);
    return 0;
}

} // namespace

frmProm::frmProm(QWidget* principale, int tag) : DialogoRestituito(Codice, principale), tag(tag)
{
    costruisci();
    InitLang();
}

void frmProm::costruisci()
{
    auto* colonna = new QVBoxLayout(this);
    auto* riga = new QHBoxLayout;
    Label1 = new QLabel(QStringLiteral("Data:"), this);
    txtGG = Campo(2, this);
    txtMM = Campo(2, this);
    txtAA = Campo(4, this);
    Label4 = new QLabel(QStringLiteral("Ora:"), this);
    txtH = Campo(2, this);
    txtM = Campo(2, this);
    txtS = Campo(2, this);
    riga->addWidget(Label1);
    riga->addWidget(txtGG);
    riga->addWidget(new QLabel(QStringLiteral("/"), this));
    riga->addWidget(txtMM);
    riga->addWidget(new QLabel(QStringLiteral("/"), this));
    riga->addWidget(txtAA);
    riga->addSpacing(12);
    riga->addWidget(Label4);
    riga->addWidget(txtH);
    riga->addWidget(new QLabel(QStringLiteral("."), this));
    riga->addWidget(txtM);
    riga->addWidget(new QLabel(QStringLiteral(":"), this));
    riga->addWidget(txtS);
    riga->addStretch();
    colonna->addLayout(riga);

    auto* rigaTesto = new QHBoxLayout;
    Label7 = new QLabel(QStringLiteral("Testo:"), this);
    txtTesto = new QLineEdit(this);
    rigaTesto->addWidget(Label7);
    rigaTesto->addWidget(txtTesto);
    colonna->addLayout(rigaTesto);

    auto gruppo = [this](const QString& titolo, std::array<QRadioButton*, 4>& opzioni,
                         const std::array<const char*, 4>& testi) {
        auto* cornice = new QGroupBox(titolo, this);
        auto* elenco = new QVBoxLayout(cornice);
        auto* esclusivi = new QButtonGroup(cornice);
        for (size_t i = 0; i < opzioni.size(); ++i) {
            opzioni[i] = new QRadioButton(QString::fromUtf8(testi[i]), cornice);
            esclusivi->addButton(opzioni[i]);
            elenco->addWidget(opzioni[i]);
        }
        opzioni[0]->setChecked(true);
        return cornice;
    };
    auto* opzioni = new QHBoxLayout;
    Frame2 = gruppo(QStringLiteral("Tipo"), optCat,
                    {"Avviso/Sveglia", "Anniversario", "Chiamare", "Incontrare"});
    Frame3 = gruppo(QStringLiteral("Ricorrenza"), optRic,
                    {"Singolo", "Giornaliero", "Settimanale", "Annuale"});
    opzioni->addWidget(Frame2);
    opzioni->addWidget(Frame3);
    colonna->addLayout(opzioni);

    colonna->addLayout(PulsantiOkAnnulla(*this, pOk, pAnnulla, QStringLiteral("&Annulla")));
    connect(pOk, &QPushButton::clicked, this, &frmProm::pOk_Click);
    connect(pAnnulla, &QPushButton::clicked, this, &frmProm::pAnnulla_Click);
}

void frmProm::InitLang()
{
    SeTesto(511, [this](const QString& t) { Label1->setText(t); });
    SeTesto(512, [this](const QString& t) { Label4->setText(t); });
    SeTesto(562, [this](const QString& t) { Label7->setText(t); });
    SeTesto(563, [this](const QString& t) { Frame2->setTitle(t); });
    SeTesto(568, [this](const QString& t) { Frame3->setTitle(t); });
    for (size_t i = 0; i < optCat.size(); ++i)
        SeTesto(564 + static_cast<int>(i), [&](const QString& t) { optCat[i]->setText(t); });
    const std::array<int, 4> ricorrenze{383, 380, 381, 382};
    for (size_t i = 0; i < optRic.size(); ++i)
        SeTesto(ricorrenze[i], [&](const QString& t) { optRic[i]->setText(t); });
    SeTesto(524, [this](const QString& t) { pAnnulla->setText(t); });
}

void frmProm::Compila(const CampiProm& campi)
{
    txtGG->setText(campi.gg);
    txtMM->setText(campi.mm);
    txtAA->setText(campi.aa);
    txtH->setText(campi.h);
    txtM->setText(campi.m);
    txtS->setText(campi.s);
    txtTesto->setText(campi.testo);
    optCat[static_cast<size_t>(campi.categoria)]->setChecked(true);
    optRic[static_cast<size_t>(campi.ricorrenza)]->setChecked(true);
    utc = campi.utc;
    iniziali = valori();
}

bool frmProm::ControllaN(const QString& testo, int minimo, int massimo)
{
    static const QRegularExpression cifre(QStringLiteral("^[0-9]{1,9}$"));
    if (!cifre.match(testo).hasMatch())
        return false;
    const int valore = testo.toInt();
    return valore >= minimo && valore <= massimo;
}

bool frmProm::TuttoValido() const
{
    // The time goes into the entry as typed, so it is checked like the date.
    return ControllaN(txtGG->text(), 1, 31) && ControllaN(txtMM->text(), 1, 12)
           && ControllaN(txtAA->text(), 1999, 2100) && ControllaN(txtH->text(), 0, 23)
           && ControllaN(txtM->text(), 0, 59) && ControllaN(txtS->text(), 0, 59)
           && txtTesto->text().size() <= MaxTesto;
}

QString frmProm::testoPulito() const
{
    QString testo = txtTesto->text();
    testo.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1F\\x7F]")));
    return testo;
}

ValoriProm frmProm::valori() const
{
    return {txtGG->text(),
            txtMM->text(),
            txtAA->text(),
            txtH->text(),
            txtM->text(),
            txtS->text(),
            testoPulito(),
            CategorieProm[static_cast<size_t>(Scelta(optCat))],
            RipetizioniProm[static_cast<size_t>(Scelta(optRic))],
            utc};
}

void frmProm::pOk_Click()
{
    if (!TuttoValido()) {
        const QString a_capo = QStringLiteral("\r\n");
        MsgBox(Msg(15) + a_capo + Msg(16) + a_capo + Msg(17) + a_capo + Msg(18),
               QMessageBox::Critical, QMessageBox::Ok, QString(), this);
        return;
    }
    if (!Connesso)
        return;
    if (!ScriviProm(tag, valori(), iniziali))
        MsgBox(Msg(14), QMessageBox::Critical, QMessageBox::Ok, QString(), this);
    accept();
}

void frmProm::pAnnulla_Click()
{
    reject();
}
