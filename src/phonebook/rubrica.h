#pragma once

#include "funzioni.h"
#include "listareport.h"

#include <QString>

#include <cstdint>

class frmMain;
struct FileRifiutato;
struct VoceRubrica;

// The entry a row of a phonebook view shows, found by the memory and position the row carries and
// never by its text, as names repeat and one not read shows the catalogue's word; null for a row
// that shows none (the row of a view not available) or whose entry is free. `memoria` and
// `posizione`, when given, get where it is.
const VoceRubrica* VoceDellaRiga(const QTreeWidgetItem* riga, int* memoria = nullptr,
                                 int* posizione = nullptr);

// The phonebook as the main window reaches it: the views of the memories, the red list, the
// whole phonebook and the call lists, the entry commands, files, write-back and printing.
class Rubrica : public FunzioniRubrica {
public:
    explicit Rubrica(frmMain& finestra);

    bool CaricaFileRubrica(const QString& percorso) override;
    void ShowRubrica(int16_t memoria) override;
    void ShowRubricaCompleta() override;
    void AddRubrica() override;
    void EditRubrica() override;
    void DelRubrica() override;
    void StampaRubrica() override;
    void ApriRubrica() override;
    void SalvaRubrica() override;
    void InviaRubrica() override;
    void ShowListFolder() override;
    void ShowList(uint8_t lista) override;
    void LeggiListeChiamate() override;
    bool RigaConVoce(const QTreeWidgetItem* riga) const override;

    // Writes the phonebook file, reading first what the table lacks while the phone is there;
    // false, with nothing marked read, when a memory stays unread. With `avvisaLetterePerse` the
    // user is told first of the entries whose letters the file keeps as "?". `nonScritto`, when
    // given, says why a file that could be written from the table was not.
    bool SalvaFileRubrica(const QString& percorso, bool avvisaLetterePerse = false,
                          FileRifiutato* nonScritto = nullptr);
    bool SalvaFileRubricaTxt(const QString& percorso, FileRifiutato* nonScritto = nullptr);

    // The default phonebook file, saved after every reading when the settings ask for it.
    static QString FileRubricaPredefinito();

private:
    // Reads the memories not yet read while the phone is there, for a phonebook file
    // (`fileRubrica`) or a text export; false when the link failed, a memory is left unread or a
    // name could not be read, so that no file is saved from what the table lacks.
    bool completaLettura(bool fileRubrica);
    // Saves the default phonebook file when the settings ask for it; a table from which no file
    // may be written is told of once, after the reading (`dopoLettura`), as are the letters the
    // file cannot hold and a file that could not be written.
    void salvataggioAutomatico(bool dopoLettura);
    void preparaElenco(const QList<ListaReport::Colonna>& colonne);
    QTreeWidgetItem* aggiungiVoce(int memoria, int posizione, bool conMemoria);
    // Memory and red-list mode from the selected tree node.
    void memoriaDalNodo(int& memoria, bool& rossa) const;
    // The selected row's entry; false for a row that names none.
    bool voceSelezionata(int& memoria, int& posizione) const;
    // `nomeIgnoto`: the entry's name could not be read, and the dialog asks for one.
    void apriDialogo(uint8_t memoria, int posizione, int didascalia, const QString& nome,
                     const QString& numero, bool rossa, bool nomeIgnoto = false);

    // Reads the memories for a view (all, or only those unread) and saves them once all are
    // read.
    void leggiMemorie(bool soloNonLette);
    // The rows of a view: a memory or the red list, the whole phonebook, a call list.
    void elencaMemoria(int16_t memoria);
    void elencaTutte();
    void elencaChiamate(uint8_t lista);

    frmMain& f;
};
