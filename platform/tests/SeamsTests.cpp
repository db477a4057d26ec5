// The dialogs and clock seams as tests use them, and the twips geometry.

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QWidget>

using namespace platform;

TEST(ScriptedDialogsTest, RecordsEveryBoxAndAnswersFromTheScript)
{
    ScriptedDialogs d;
    d.queueAnswer(Answer::No);
    d.queueInput("F1ABC");
    EXPECT_EQ(d.message("Are you sure you wish to quit ?", Buttons::YesNo, Icon::Critical, "Corvinet"), Answer::No);
    d.beep();
    EXPECT_EQ(d.input("Prefix ?", "DX", "F", QPoint(1200, 900)), "F1ABC");
    // Nothing queued: first button, and Cancel (empty) for an input box.
    EXPECT_EQ(d.message("a\rb", Buttons::YesNoCancel, Icon::Question, "t"), Answer::Yes);
    EXPECT_EQ(d.message("x", Buttons::OkCancel, Icon::Exclamation, "t"), Answer::Ok);
    EXPECT_EQ(d.input("p", "t", "def", std::nullopt), "");

    ASSERT_EQ(d.events().size(), 6u);
    const DialogEvent& quit = d.events()[0];
    EXPECT_EQ(quit.kind, DialogEvent::Kind::Message);
    EXPECT_EQ(quit.text, "Are you sure you wish to quit ?");
    EXPECT_EQ(quit.title, "Corvinet");
    EXPECT_EQ(quit.buttons, Buttons::YesNo);
    EXPECT_EQ(quit.icon, Icon::Critical);
    EXPECT_EQ(d.events()[1].kind, DialogEvent::Kind::Beep);
    const DialogEvent& in = d.events()[2];
    EXPECT_EQ(in.kind, DialogEvent::Kind::Input);
    EXPECT_EQ(in.text, "Prefix ?");
    EXPECT_EQ(in.defaultText, "F");
    EXPECT_EQ(in.position, QPoint(1200, 900));
    EXPECT_EQ(d.messages().size(), 3u);
    EXPECT_EQ(d.messages()[1].text, "a\rb"); // recorded as given, CR included
    EXPECT_EQ(d.beeps(), 1);
    d.clear();
    EXPECT_TRUE(d.events().empty());
}

TEST(ClockTest, ManualClockWaitsAtOnceAndStillRunsEvents)
{
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    ManualClock clock(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59)));
    EXPECT_DOUBLE_EQ(clock.secondsSinceMidnight(), 86399.0);
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    clock.wait(2.0);
    EXPECT_TRUE(ran);
    EXPECT_EQ(clock.now(), QDateTime(QDate(2026, 12, 7), QTime(0, 0, 1))); // the date moves with the time
    clock.advance(0.25);
    EXPECT_DOUBLE_EQ(clock.secondsSinceMidnight(), 1.25);
    clock.advance(0.0015); // rounded to the millisecond, not cut
    EXPECT_EQ(clock.now().time().msec(), 252);
    clock.set(QDateTime(QDate(2000, 1, 1), QTime(12, 0)));
    EXPECT_DOUBLE_EQ(clock.secondsSinceMidnight(), 43200.0);
}

TEST(GeometryTest, FifteenTwipsAPixelAtNinetySixDpi)
{
    struct Case { int twips; double dpi; int pixels; };
    const Case cases[] = {
        {15, 96, 1}, {5670, 96, 378}, {2770, 96, 185}, {7, 96, 0}, {8, 96, 1}, {-15, 96, -1},
        {1440, 120, 120}, {5670, 144, 567}, {0, 96, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(twipsToPixels(c.twips, pixelsPerTwip(c.dpi)), c.pixels) << c.twips << " at " << c.dpi;
    EXPECT_EQ(pixelsToTwips(378, pixelsPerTwip(96)), 5670);
    EXPECT_EQ(pixelsToTwips(120, pixelsPerTwip(120)), 1440);
}

TEST(GeometryTest, CentredWithAThirdOfTheFreeHeightAbove)
{
    EXPECT_EQ(centredThirdPosition(QSize(400, 300), QRect(0, 0, 1024, 768)), QPoint(312, 156));
    EXPECT_EQ(centredThirdPosition(QSize(400, 300), QRect(1920, 40, 1280, 1000)), QPoint(1920 + 440, 40 + 233));
    // Larger than the screen: the corner stays on it.
    EXPECT_EQ(centredThirdPosition(QSize(2000, 1000), QRect(0, 0, 1024, 768)), QPoint(0, 0));
}

TEST(GeometryTest, PlacesAWidgetOnItsScreen)
{
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    EXPECT_NEAR(pixelsPerTwip() * 1440.0, QGuiApplication::primaryScreen()->logicalDotsPerInch(), 1e-9);
    EXPECT_EQ(twipsToPixels(QSize(5670, 2770)), QSize(twipsToPixels(5670), twipsToPixels(2770)));
    QWidget w;
    w.resize(300, 200);
    placeCentredThird(&w);
    const QRect screen = w.screen()->availableGeometry();
    EXPECT_EQ(w.pos(), centredThirdPosition(QSize(300, 200), screen));
}

// The real boxes, in an application of their own.
class QtDialogsTest : public ::testing::Test {
protected:
    int argc = 1;
    char name[16] = "platform_tests";
    char* argv[2] = {name, nullptr};
    QApplication app{argc, argv};
    QtDialogs d;
};

// Answered by a timer as soon as each opens: a message box and an input box
// are wide enough for their title, and an input box asked again opens where
// the last one stood, also after the operator moved it.
TEST_F(QtDialogsTest, TitleFitsAndARepeatedQuestionStaysInPlace)
{

    const QString titre = QStringLiteral("- Setup of Selvane - a title far longer than the text -");
    int largeur = 0, voulu = 0;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        largeur = box->width();
        voulu = box->fontMetrics().horizontalAdvance(titre);
        box->close();
    });
    d.message(QStringLiteral("OK ?"), Buttons::Ok, Icon::Exclamation, titre);
    EXPECT_GT(voulu, 0);
    // Room for the title and, beside it in the title bar, the window icon and
    // the three buttons (at least 1500 twips, 100 pixels at 96 dpi).
    EXPECT_GE(largeur, voulu + twipsToPixels(1500));

    // An input box with a short prompt under a long title (Tracking's DX
    // prefix box): as wide as the title needs too.
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        largeur = box->width();
        voulu = box->fontMetrics().horizontalAdvance(QStringLiteral("Common Window : Station <=> DX"));
        box->close();
    });
    d.input(QStringLiteral("Enter the DXXC prefix !"), QStringLiteral("Common Window : Station <=> DX"), QString(),
            std::nullopt);
    EXPECT_GE(largeur, voulu + twipsToPixels(1500));

    QPoint premier, second;
    const QPoint deplace(137, 91);
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        premier = box->pos();
        box->move(deplace); // the operator drags it away
        box->close();
    });
    EXPECT_EQ(d.input(QStringLiteral("New Setup Filename ?"), QStringLiteral("Selvane"), QStringLiteral(".dat"),
                      std::nullopt),
              QString());
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        second = box->pos();
        box->close();
    });
    d.input(QStringLiteral("New Setup Filename ?"), QStringLiteral("Selvane"), QStringLiteral(".dat"), std::nullopt);
    EXPECT_EQ(second, deplace);
}

// A window manager knows the frame of a box only once the box is on screen,
// and some place a new box's inside where a frame corner was asked for: an
// input box asked again then creeps up by its title bar each time. So the
// place kept is the inside of the last box, and the box asked again asks for
// its inside to stand there before it first shows. Offscreen windows have a
// frame (2 pixels wide) that stands in for a window manager's.
TEST_F(QtDialogsTest, ARepeatedQuestionAsksForTheInsidePlaceOfTheLastBox)
{

    // Where a box asks to stand when its window is made, before it shows.
    struct Demande : QObject {
        std::vector<QPoint> places;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            const auto* w = qobject_cast<QWidget*>(o);
            if (e->type() == QEvent::WinIdChange && o->inherits("QInputDialog") && w->internalWinId())
                places.push_back(w->geometry().topLeft());
            return false;
        }
    } demande;
    app.installEventFilter(&demande);

    struct Place { QRect dedans, cadre; };
    std::vector<Place> vues;
    const auto repondre = [&](std::optional<QPoint> deplace) {
        QTimer::singleShot(0, [&vues, deplace] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            if (deplace)
                box->move(*deplace); // the operator drags it away
            vues.push_back({box->geometry(), box->frameGeometry()});
            box->close();
        });
    };
    const auto demander = [&] {
        d.input(QStringLiteral("New Setup Filename ?"), QStringLiteral("Selvane"), QStringLiteral(".dat"),
                std::nullopt);
    };
    repondre(QPoint(137, 91));
    demander();
    repondre(std::nullopt);
    demander();
    repondre(std::nullopt);
    demander();
    app.removeEventFilter(&demande);

    ASSERT_EQ(vues.size(), 3u);
    ASSERT_NE(vues[0].dedans.topLeft(), vues[0].cadre.topLeft()) << "the box has a frame";
    ASSERT_EQ(demande.places.size(), 3u);
    for (size_t i = 1; i < vues.size(); ++i) {
        EXPECT_EQ(demande.places[i], vues[0].dedans.topLeft()) << "asked for, box " << i + 1;
        EXPECT_EQ(vues[i].dedans.topLeft(), vues[0].dedans.topLeft()) << "box " << i + 1;
        EXPECT_EQ(vues[i].cadre.topLeft(), vues[0].cadre.topLeft()) << "box " << i + 1;
    }
}

// A message box or an input box takes the focus; once it closes, the focus
// is back on the control it came from, in its window.
TEST_F(QtDialogsTest, TheFocusReturnsToTheControlItCameFrom)
{
    QWidget fenetre;
    auto* premiere = new QLineEdit(&fenetre);
    auto* seconde = new QLineEdit(&fenetre);
    seconde->move(0, 40);
    fenetre.show();
    QApplication::setActiveWindow(&fenetre);
    seconde->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), seconde);
    const auto fermeDesQuIlEstOuvert = [] {
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            box->close();
        });
    };
    fermeDesQuIlEstOuvert();
    d.message(QStringLiteral("Latitude : 0 to 90"), Buttons::Ok, Icon::Information, QStringLiteral(" - HELP -"));
    EXPECT_EQ(QApplication::focusWidget(), seconde);
    EXPECT_EQ(QApplication::activeWindow(), &fenetre);
    fermeDesQuIlEstOuvert();
    d.input(QStringLiteral("Enter the DXXC prefix !"), QStringLiteral("Common Window : Station <=> DX"), QString(),
            std::nullopt);
    EXPECT_EQ(QApplication::focusWidget(), seconde);
    (void)premiere;
}
