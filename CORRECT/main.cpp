// Correct: edits a station's tracking correction table in the current folder.

#include "CORRECT/Correct.h"
#include "CORRECT/FenetresCorrect.h"
#include "platform/widgets/ProgramMain.h"

#include <QDir>
#include <memory>

namespace {

// The program: its state and the windows that show it.
struct Programme {
    Programme(platform::Dialogs& dialogs, platform::Clock& clock)
        : etat(dialogs, clock, QDir::currentPath()), fenetres(etat)
    {
    }
    void Main() { etat.Main(); }

    Correct etat;
    FenetresCorrect fenetres;
};

} // namespace

int main(int argc, char** argv)
{
    return platform::runProgram(
        argc, argv,
        [](platform::Dialogs& dialogs, platform::Clock& clock) { return std::make_unique<Programme>(dialogs, clock); },
        [](const Programme& p) { return p.etat.programmeTermine(); });
}
