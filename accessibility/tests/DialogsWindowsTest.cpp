// The message box and the input box of every program (platform::QtDialogs),
// walked as a screen reader sees them (Walk.h).
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/Walk.h"
#include "platform/Dialogs.h"
#include "platform/testing/QtTestApp.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

using accessibility::report;
using accessibility::walk;
using accessibility::WindowWalk;

// Each box is walked while it waits for the operator.
TEST(PlatformDialogs, MessageAndInputBoxes)
{
    platform::testing::application();
    platform::QtDialogs boxes;
    std::vector<WindowWalk> walks;
    const auto walkThenClose = [&walks] {
        QTimer::singleShot(0, [&walks] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QDialog*>(w); box && box->isVisible()) {
                    walks.push_back(walk(box));
                    box->reject();
                }
        });
    };
    walkThenClose();
    boxes.message("Are you sure you wish to quit ?", platform::Buttons::YesNo, platform::Icon::Critical,
                  "Selvane - Calculators");
    walkThenClose();
    boxes.input("Enter the DXXC prefix !", "Common Window : Station <=> DX", QString(), std::nullopt);
    ASSERT_EQ(walks.size(), 2u);
    report("Dialogs", walks);
}
