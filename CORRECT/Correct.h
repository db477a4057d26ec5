#pragma once
// Correct's main module: the program-wide state, owned as one object for the
// program's life, and the procedures that move between its three windows.
// No widget here: the windows call these procedures, and the module reaches
// the windows only through the small interface correct::Vue, which shows
// them as the state says (Lieu) and carries the table in and out of the grid.

#include <QString>
#include <functional>
#include <optional>

#include "CORRECT/FichierCorrection.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

namespace correct {

// Which window the operator is in; every window's visibility follows it.
enum class Lieu {
    ChoixTable,   // start window and table chooser
    Editeur,      // the correction grid
    ChoixStation, // the station-file chooser of a save
    Fin,          // the program has ended: no window
};

// What the module asks of the windows.
class Vue {
public:
    virtual ~Vue() = default;
    // Shows the window of the current Lieu (creating it on first use) with
    // the editor's caption, and hides the others; a station-file chooser
    // that is hidden loses its selection.
    virtual void rafraichit() = 0;
    // Puts `table` into the grid (titles, widths and centring set up first)
    // and makes row 1, column 1 current.
    virtual void afficheTable(const correction::TableCorrection& table) = 0;
    // The table as the grid holds it now.
    virtual correction::TableCorrection table() const = 0;
};

} // namespace correct

class Correct {
public:
    // `dossier` is the station folder every file is listed, read and written in.
    Correct(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier);
    Correct(const Correct&) = delete;
    Correct& operator=(const Correct&) = delete;

    // The windows; set once, before Main().
    void relie(correct::Vue& vue) { vue_ = &vue; }

    // Bare name of the current table file: set by a click in the table list
    // and by a save (from the station file's name).
    QString FichierTCV;
    // Bare name of the station file chosen when saving.
    QString FichierStation;
    // When true, the next accepted key other than Backspace replaces the
    // current cell's text.
    bool PremiereTouche = false;
    // The current cell's text before the operator's entry in it: set at the
    // entry's first accepted key, none once a cell is chosen. A value that
    // leaves -5..+5 gives the cell this text back.
    std::optional<QString> TexteAvantSaisie;
    // Answer of the last question box.
    platform::Answer Reponse = platform::Answer::No;
    // The editor's caption.
    QString TitreEditeur = QStringLiteral("Selvane 4.3.08 - TCV Editor");

    platform::Dialogs& dialogs;
    platform::Clock& clock;
    const QString dossier;
    // Called when the program ends; production leaves the event loop.
    std::function<void()> finProgramme;

    correct::Lieu lieu() const { return lieu_; }
    bool programmeTermine() const { return lieu_ == correct::Lieu::Fin; }
    // A table is open and a save would now write other lines than the table
    // as it was last opened or saved: quitting now would lose those values.
    bool modificationsNonEnregistrees() const;

    // Start-up: the start window with its picture, then the table chooser.
    void Main();
    // Reads FichierTCV into the grid and opens the editor.
    void LectureFichierCorrection();
    // "New file ...": the editor on the default table.
    void NouveauFichier();
    // "Save": the station-file chooser in place of the editor.
    void ChoixStation();
    // Saves the grid's table under the name of FichierStation, then shows the
    // editor again (after a write error the station-file chooser stays).
    void SauveFichierCorrection();
    // Cancel in the station-file chooser: back to the editor, table as it was.
    void RetourEditeur();
    // "Are you sure you wish to quit ?" (saying first that the changes to
    // the table's file are not saved, when they are not): Yes ends the
    // program at once.
    void ConfirmeQuitter();

private:
    void ouvreEditeur(const correction::TableCorrection& table);
    void va(correct::Lieu lieu);

    correct::Vue* vue_ = nullptr;
    correct::Lieu lieu_ = correct::Lieu::ChoixTable;
    // The table as last opened or saved; none before a table is open.
    std::optional<correction::TableCorrection> tableEnregistree_;
    // Its file's name; empty for a new table not yet saved.
    QString nomTable_;
};
