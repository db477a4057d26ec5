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
    correction::TableCorrection table; // what the grid shows: the file's texts, or the default table
    bool echec = false;                // a check or a read error: `table` is the default table
};

// Reads the table file `fichierTCV` of `dossier` (found whatever its letter
// case). Record by record: the label's inner text must have the value 10k
// and each correction must lie in -5..+5, else "Correction file failed" (one
// message per failing item; reading stops after the record). A file that
// cannot be opened or ends early shows fichierTCV & " was not read !" once.
// On any failure the default table is returned; otherwise the azimuths as
// plain digits ("0", "10", ...) and the corrections as read.
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
// asked "Replace the old file ?" first; the replaced file keeps its name.
// The write is atomic; a failure shows "Write Error : " & name & " was not
// saved !".
ResultatSauvegarde sauverTableCorrection(const QString& dossier, const QString& fichierStation,
                                         const correction::TableCorrection& table,
                                         platform::Dialogs& dialogs,
                                         const platform::SaveFaults& faults = {});

} // namespace correct
