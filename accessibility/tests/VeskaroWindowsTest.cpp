// Every window of Veskaro walked as a screen reader sees it (Walk.h), each while
// it is shown.
#include "DXCC/FeuilleChoixFichier.h"
#include "DXCC/Form2.h"
#include "DXCC/Veskaro.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/StationFolder.h"
#include "accessibility/tests/Walk.h"

#include <gtest/gtest.h>

using accessibility::report;
using accessibility::walk;
using accessibility::WindowWalk;

// Veskaro: the start window (the logo alone; closed once the editor opens)
// and the editor window (list, editor and map panels).
class VeskaroWindows : public accessibility::StationFolder {};

TEST_F(VeskaroWindows, EveryWindow)
{
    ASSERT_NO_FATAL_FAILURE(copy({"DXCCPREF.DBR", "logo.bmp"}));
    Veskaro prog(dialogs, clock, folder.path());
    prog.finProgramme = [] {};
    prog.Main();
    ASSERT_TRUE(prog.form2().isVisible());
    report("Veskaro", {walk(&prog.feuilleChoixFichier()), walk(&prog.form2())});
}
