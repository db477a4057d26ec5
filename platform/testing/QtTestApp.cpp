#include "platform/testing/QtTestApp.h"

#include <QAccessible>
#include <QApplication>
#include <QFont>
#include <QWidget>
#include <gtest/gtest.h>

namespace platform::testing {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "selvane_tests";
    static char* argv[] = {name, nullptr};
    // Deliberately never deleted: see the header. Offscreen unless the caller
    // chose a platform, so a test program run by hand needs no display either.
    static QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QApplication(argc, argv);
        // Window tests measure texts against their boxes: they use the face
        // scripts/setup installs, whatever face the machine's font
        // configuration would prefer.
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        return a;
    }();
    return *app;
}

QString accessibleName(QWidget* w)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

namespace {

// Makes the application exist before the first test, so tests that only
// construct widgets need not call application() themselves.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { application(); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

} // namespace platform::testing
