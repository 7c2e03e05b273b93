#include "interazione.h"

#include "globali.h"

#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QStringList>

#include <optional>
#include <utility>

namespace {

int fallimentiSegnalati = 0;
int interazioniAperte = 0;

// Marks the time a real dialog waits for the user; its own event loop runs meanwhile.
class InAttesaDellUtente {
public:
    InAttesaDellUtente() { ++interazioniAperte; }
    ~InAttesaDellUtente() { --interazioniAperte; }
    InAttesaDellUtente(const InAttesaDellUtente&) = delete;
    InAttesaDellUtente& operator=(const InAttesaDellUtente&) = delete;
};

class InterazioneReale : public Interazione {
public:
    QMessageBox::StandardButton Messaggio(QWidget* padre, QMessageBox::Icon icona,
                                          const QString& titolo, const QString& testo,
                                          QMessageBox::StandardButtons pulsanti) override
    {
        const InAttesaDellUtente attesa;
        QMessageBox box(icona, titolo, QString(testo).replace(QLatin1String("\r\n"), "\n"),
                        pulsanti, padre);
        box.setTextFormat(Qt::PlainText);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    QString ApriFile(QWidget* padre, const QString& titolo, const QString& filtro) override
    {
        const InAttesaDellUtente attesa;
        return QFileDialog::getOpenFileName(padre, titolo, CartellaProgramma(), FiltroQt(filtro));
    }

    QString SalvaFile(QWidget* padre, const QString& titolo, const QString& filtro,
                      const QString& estensione) override
    {
        const InAttesaDellUtente attesa;
        QFileDialog dialogo(padre, titolo, CartellaProgramma(), FiltroQt(filtro));
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.setDefaultSuffix(estensione);
        // A name typed without a suffix is saved in the kind of file the user chose.
        QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo,
                         [&dialogo](const QString& scelto) {
                             dialogo.setDefaultSuffix(SuffissoDelFiltro(scelto));
                         });
        if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
            return {};
        return dialogo.selectedFiles().constFirst();
    }

    bool Stampa(QWidget* padre, QPrinter& stampante) override
    {
        const InAttesaDellUtente attesa;
        QPrintDialog dialogo(&stampante, padre);
        return dialogo.exec() == QDialog::Accepted;
    }
};

Interazione* sostitutaCorrente = nullptr;

} // namespace

Interazione& interazione()
{
    static InterazioneReale reale;
    return sostitutaCorrente ? *sostitutaCorrente : reale;
}

void ImpostaInterazione(Interazione* sostituta)
{
    sostitutaCorrente = sostituta;
}

namespace {

struct AvvisoTrattenuto {
    QString testo;
    QMessageBox::Icon icona;
    QString titolo;
    bool fallimento;
};

// The notices kept back while the program starts; none while it is not starting.
std::optional<QList<AvvisoTrattenuto>> avvisiTrattenuti;

QMessageBox::StandardButton MostraBox(const QString& testo, QMessageBox::Icon icona,
                                      QMessageBox::StandardButtons pulsanti, const QString& titolo,
                                      QWidget* padre, bool fallimento)
{
    const QString titoloBox = titolo.isEmpty() ? QApplication::applicationName() : titolo;
    if (avvisiTrattenuti && pulsanti == QMessageBox::Ok) {
        avvisiTrattenuti->append({testo, icona, titoloBox, fallimento});
        return QMessageBox::Ok;
    }
    if (fallimento)
        ++fallimentiSegnalati;
    return interazione().Messaggio(padre, icona, titoloBox, testo, pulsanti);
}

} // namespace

QMessageBox::StandardButton MsgBox(const QString& testo, QMessageBox::Icon icona,
                                   QMessageBox::StandardButtons pulsanti, const QString& titolo,
                                   QWidget* padre)
{
    const bool fallimento = icona == QMessageBox::Critical || icona == QMessageBox::Warning;
    return MostraBox(testo, icona, pulsanti, titolo, padre, fallimento);
}

QMessageBox::StandardButton MsgBoxFallimento(const QString& testo, QMessageBox::Icon icona,
                                             QMessageBox::StandardButtons pulsanti,
                                             const QString& titolo, QWidget* padre)
{
    return MostraBox(testo, icona, pulsanti, titolo, padre, true);
}

int FallimentiSegnalati()
{
    return fallimentiSegnalati;
}

AvvisiDiAvvio::AvvisiDiAvvio()
{
    avvisiTrattenuti.emplace();
}

AvvisiDiAvvio::~AvvisiDiAvvio()
{
    avvisiTrattenuti.reset();
}

void AvvisiDiAvvio::Mostra(QWidget* finestra)
{
    if (!avvisiTrattenuti)
        return;
    const QList<AvvisoTrattenuto> avvisi = *std::exchange(avvisiTrattenuti, std::nullopt);
    for (const AvvisoTrattenuto& avviso : avvisi)
        MostraBox(avviso.testo, avviso.icona, QMessageBox::Ok, avviso.titolo, finestra,
                  avviso.fallimento);
}

bool InterazioneInCorso()
{
    return interazioniAperte > 0;
}

QString SuffissoDelFiltro(const QString& filtroQt)
{
    const qsizetype aperta = filtroQt.lastIndexOf(QLatin1Char('('));
    const qsizetype chiusa = filtroQt.lastIndexOf(QLatin1Char(')'));
    if (aperta < 0 || chiusa < aperta)
        return {};
    const QString schema = filtroQt.mid(aperta + 1, chiusa - aperta - 1)
                               .split(QLatin1Char(' '), Qt::SkipEmptyParts)
                               .value(0);
    if (!schema.startsWith(QLatin1String("*.")))
        return {};
    const QString suffisso = schema.mid(2);
    // "*.*" and the like name no kind of file.
    if (suffisso.isEmpty() || suffisso.contains(QLatin1Char('*'))
        || suffisso.contains(QLatin1Char('?')))
        return {};
    return suffisso;
}

QString FiltroQt(const QString& filtro)
{
    const QStringList parti = filtro.split(QLatin1Char('|'));
    QStringList voci;
    for (int i = 0; i + 1 < parti.size(); i += 2) {
        QStringList schemi = parti.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& schema : schemi)
            schema = schema.trimmed();
        // Qt takes the patterns from the brackets that end the text; a text that already ends
        // with its patterns in brackets shows them once.
        QString testo = parti.at(i);
        if (testo.endsWith(QLatin1Char(')')) && testo.contains(QLatin1Char('(')))
            testo.truncate(testo.lastIndexOf(QLatin1Char('(')));
        else
            testo += QLatin1Char(' ');
        voci << testo + QLatin1Char('(') + schemi.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return voci.join(QStringLiteral(";;"));
}
