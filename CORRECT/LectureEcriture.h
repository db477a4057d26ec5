#pragma once
// Correct's reading and writing of a correction table, with Correct's own
// checks and messages; widget-free, so the windows only show the results.

#include <QString>
#include <optional>

#include "CORRECT/FichierCorrection.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

namespace correct {

struct ResultatLecture {
    // What the grid shows: every record that reads well as read (azimuths as
    // plain digits "0", "10", ...); what failed or was never read as in the
    // default table (" 0").
    correction::TableCorrection table;
    bool echec = false; // a check failed or the file could not be read whole
};

// Reads the table file `fichierTCV` of `dossier` (found whatever its letter
// case), every record of it. A record reads well when its label's inner text
// has the value 10k and both corrections lie in -5..+5. A label that fails
// keeps its whole record out of the table; a correction that fails keeps
// only itself out. All the failures are named in one message, "Correction
// file failed", one line each: the record's azimuth, the item's line in the
// file and its text. A file that cannot be opened, or ends before its last
// record, shows fichierTCV & " was not read !" (with the line it ends on);
// the records read whole before the end are kept. The file is never written.
ResultatLecture lireTableCorrection(const QString& dossier, const QString& fichierTCV,
                                    platform::Dialogs& dialogs);

enum class Sauvegarde {
    Ecrite,   // the table is on disk
    Refusee,  // the operator answered No to the replace question; nothing written
    Erreur,   // the write failed (message shown); the old file is whole
};

struct ResultatSauvegarde {
    Sauvegarde etat = Sauvegarde::Erreur;
    QString fichierTCV; // the table's name: the file's real name on disk once written
    std::optional<platform::Answer> reponse; // the answer to the replace question, when asked
};

// Saves `table` as the table of station file `fichierStation` of `dossier`.
// The table name comes from the station file's real name on disk. When a
// "*.tcv" file of that name exists, whatever its letter case, the operator is
// asked "Replace the old file " & its name on disk & " ?" first; the
// replaced file keeps its name.
// The write is atomic; a failure shows "Write Error : " & name & " was not
// saved !" and why (platform::writeErrorText).
ResultatSauvegarde sauverTableCorrection(const QString& dossier, const QString& fichierStation,
                                         const correction::TableCorrection& table,
                                         platform::Dialogs& dialogs,
                                         const platform::SaveFaults& faults = {});

} // namespace correct
