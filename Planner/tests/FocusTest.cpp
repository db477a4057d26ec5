// The focus of the windows that the operator's commands open, on an X server
// without a window manager (platform/testing/on-bare-x.sh): there nothing
// gives a window the focus but the program's own request, as under a window
// manager that keeps new windows from taking it. Offscreen, every window
// shown is made active, whatever the program asks: these tests need X.

#include "Programme.h"

#include <QApplication>
#include <QGuiApplication>

namespace {

class Focus : public Programme {
protected:
    void SetUp() override {
        Programme::SetUp();
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs X without a window manager (on-bare-x.sh), not " << qPrintable(
                QGuiApplication::platformName());
    }
    // Waits for the window system to make `w` active, at most 10 s.
    static bool devientActive(QWidget* w) {
        return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }, 10000);
    }
};

} // namespace

// A period of three days: the first day's table window takes the focus (the
// operator reads it first), the later days' windows leave it there. So again
// for the next station's tables, made of the windows of the first ones.
TEST_F(Focus, LaPremiereTableQuUneCommandeOuvrePrendLeFocus) {
    demarre();
    for (int fois = 0; fois < 2; ++fois) {
        SCOPED_TRACE(fois);
        if (fois > 0)
            etat->form2()->MenuFichier_Click(1); // File > New
        calcule("12-05-2001", "00:00", "14-05-2001", "23:50", "60");
        FenetrePrevision* premiere = etat->fenetrePrevision(0);
        ASSERT_TRUE(premiere && premiere->isVisible());
        ASSERT_TRUE(etat->fenetrePrevision(2) && etat->fenetrePrevision(2)->isVisible());
        EXPECT_TRUE(devientActive(premiere)) << "active: "
                                             << (QApplication::activeWindow()
                                                     ? qPrintable(QApplication::activeWindow()->windowTitle())
                                                     : "none");
        QTest::qWait(200); // the later windows' own requests, if any, have come
        EXPECT_EQ(QApplication::activeWindow(), premiere);
    }
}
