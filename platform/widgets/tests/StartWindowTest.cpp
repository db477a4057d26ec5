#include "platform/widgets/StartWindow.h"

#include "platform/Clock.h"
#include "platform/testing/ScreenReaderEvents.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/ScreenReader.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using platform::FileList;
using platform::LogoPicture;

namespace {

void touch(const QDir& d, const QString& name)
{
    QFile f(d.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// A clock that never moves: a hold must still end.
class StuckClock : public platform::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2001, 3, 9), QTime(12, 0)); }
    void wait(double) override {}
};

} // namespace

TEST(FileList, ListsThePatternWithoutRegardToCaseSorted)
{
    QTemporaryDir tmp;
    const QDir d(tmp.path());
    for (const char* n : {"home.dat", "B.DAT", "a.Dat", "notes.txt", "home.tcv"})
        touch(d, n);
    QDir().mkpath(d.filePath("dir.dat")); // a folder is not a file
    FileList list;
    list.setPath(tmp.path());
    list.setPattern("*.dat");
    ASSERT_EQ(list.listCount(), 3);
    EXPECT_EQ(list.entry(0), "a.Dat");
    EXPECT_EQ(list.entry(1), "B.DAT");
    EXPECT_EQ(list.entry(2), "home.dat");
    EXPECT_EQ(list.entry(3), "");
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.fileName(), "");

    list.setPattern("*.tcv");
    EXPECT_EQ(list.listCount(), 1);
    touch(d, "z.TCV");
    EXPECT_EQ(list.listCount(), 1); // only a refresh re-reads the folder
    list.refresh();
    EXPECT_EQ(list.listCount(), 2);
}

TEST(FileList, ClickDoubleClickAndKeysSelect)
{
    QTemporaryDir tmp;
    const QDir d(tmp.path());
    for (const char* n : {"a.dat", "b.dat", "c.dat"})
        touch(d, n);
    FileList list;
    list.setPath(tmp.path());
    list.setPattern("*.dat");
    list.resize(200, 150);
    list.show();
    QSignalSpy click(&list, &FileList::click), dbl(&list, &FileList::dblClick);

    const QRect r1 = list.visualItemRect(list.item(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, r1.center());
    EXPECT_EQ(click.count(), 1);
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(list.fileName(), "b.dat");
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, r1.center());
    EXPECT_EQ(dbl.count(), 1);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.fileName(), "c.dat");
    EXPECT_GE(click.count(), 2);

    click.clear();
    list.setListIndex(0); // from code: no event
    EXPECT_EQ(list.fileName(), "a.dat");
    EXPECT_EQ(click.count(), 0);
    list.refresh();
    EXPECT_EQ(list.listIndex(), -1);
}

struct ClickStep {
    int entry; // -1: the empty area below the entries
    Qt::KeyboardModifiers mods;
    int selected; // listIndex() afterwards
    int clicks;   // click() signals emitted by this step
};

struct SelectionCase {
    const char* name;
    std::vector<ClickStep> steps;
};

// Whatever the operator clicks, the clicked entry alone is selected, and
// click() is never emitted with nothing selected.
TEST(FileList, AClickAlwaysLeavesTheClickedEntrySelected)
{
    const SelectionCase cases[] = {
        {"plain clicks", {{1, {}, 1, 1}, {2, {}, 2, 1}, {2, {}, 2, 1}}},
        {"Ctrl+click on the selected entry keeps it", {{1, {}, 1, 1}, {1, Qt::ControlModifier, 1, 1}}},
        {"Ctrl+click on another entry selects it alone", {{0, {}, 0, 1}, {2, Qt::ControlModifier, 2, 1}}},
        {"Ctrl+click first", {{0, Qt::ControlModifier, 0, 1}, {0, Qt::ControlModifier, 0, 1}}},
        {"Shift+click selects one entry", {{0, {}, 0, 1}, {2, Qt::ShiftModifier, 2, 1}}},
        {"the empty area before any choice", {{-1, {}, -1, 0}, {-1, Qt::ControlModifier, -1, 0}}},
        {"the empty area keeps the choice", {{1, {}, 1, 1}, {-1, {}, 1, 0}, {-1, Qt::ControlModifier, 1, 0}}},
    };
    QTemporaryDir tmp;
    const QDir d(tmp.path());
    for (const char* n : {"a.dat", "b.dat", "c.dat"})
        touch(d, n);
    for (const auto& k : cases) {
        FileList list;
        list.setPath(tmp.path());
        list.setPattern("*.dat");
        list.resize(200, 150);
        list.show();
        std::vector<QString> namesAtClick;
        QObject::connect(&list, &FileList::click, [&] { namesAtClick.push_back(list.fileName()); });
        for (size_t i = 0; i < k.steps.size(); ++i) {
            const ClickStep& st = k.steps[i];
            const QPoint at = st.entry >= 0 ? list.visualItemRect(list.item(st.entry)).center()
                                            : QPoint(10, list.viewport()->height() - 5);
            namesAtClick.clear();
            QTest::mouseClick(list.viewport(), Qt::LeftButton, st.mods, at);
            EXPECT_EQ(list.listIndex(), st.selected) << k.name << " step " << i;
            EXPECT_EQ(list.selectedItems().size(), st.selected >= 0 ? 1 : 0) << k.name << " step " << i;
            EXPECT_EQ(list.fileName(), list.entry(st.selected)) << k.name << " step " << i;
            EXPECT_EQ(int(namesAtClick.size()), st.clicks) << k.name << " step " << i;
            for (const QString& n : namesAtClick)
                EXPECT_EQ(n, list.entry(st.selected)) << k.name << " step " << i;
        }
        // Ctrl+Space, the keyboard's toggle, keeps the selection too.
        if (list.listIndex() >= 0) {
            const int before = list.listIndex();
            QTest::keyClick(&list, Qt::Key_Space, Qt::ControlModifier);
            EXPECT_EQ(list.listIndex(), before) << k.name;
        }
    }
}

TEST(LogoPicture, LoadsLogoOfTheFolderOrShowsAnEmptyArea)
{
    QTemporaryDir tmp;
    LogoPicture logo;
    EXPECT_FALSE(logo.load(tmp.path()));
    EXPECT_FALSE(logo.hasPicture());
    EXPECT_GT(logo.width(), 0); // the start window still has something to show

    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(Qt::blue);
    ASSERT_TRUE(img.save(QDir(tmp.path()).filePath("LOGO.BMP"), "BMP"));
    EXPECT_TRUE(logo.load(tmp.path())); // found whatever its letter case
    EXPECT_EQ(logo.size(), QSize(30, 20));

    QFile bad(QDir(tmp.path()).filePath("LOGO.BMP"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("not a picture");
    bad.close();
    EXPECT_FALSE(logo.load(tmp.path()));
}

struct HoldCase {
    const char* name;
    QTime start;
    int minPasses, maxPasses;
};

TEST(StartPicture, HoldsTwoSecondsOfTheClock)
{
    // Passes of 0.05 s each: t0 is the start rounded to a whole second, so
    // the hold lasts from 1.5 to 2.5 s of the clock.
    const HoldCase cases[] = {
        {"on a whole second", QTime(12, 0, 0), 40, 40},
        {"rounded up: longer", QTime(12, 0, 0, 600), 48, 49},
        {"rounded down: shorter", QTime(12, 0, 0, 400), 32, 33},
        {"across midnight", QTime(23, 59, 59), 40, 40},
        {"rounds to midnight", QTime(23, 59, 59, 700), 46, 47},
    };
    for (const auto& k : cases) {
        platform::ManualClock clock(QDateTime(QDate(2001, 3, 9), k.start));
        QWidget w;
        const int passes = platform::holdStartPicture(&w, clock);
        EXPECT_GE(passes, k.minPasses) << k.name;
        EXPECT_LE(passes, k.maxPasses) << k.name;
        EXPECT_TRUE(w.isVisible()) << k.name;
    }
    StuckClock stuck;
    EXPECT_LE(platform::holdStartPicture(nullptr, stuck), 61);
}

// A screen reader reads the list by its pattern until the program names it.
TEST(FileList, NamedByItsPatternUntilTheProgramNamesIt)
{
    platform::FileList l;
    EXPECT_EQ(l.accessibleName(), "Files *.*");
    l.setPattern("*.dat");
    EXPECT_EQ(l.accessibleName(), "Files *.dat");
    l.setAccessibleName("Station files");
    l.setPattern("*.tcv");
    EXPECT_EQ(l.accessibleName(), "Station files");
}

// A start window turning from its picture to its chooser: a reader never
// reads the chooser under the picture's title (the title is the chooser's
// when the list takes the focus), hears the new title once, and reads the
// window as a frame from its first showing.
TEST(StartPicture, TheChooserIsReadUnderItsOwnTitleSaidOnce)
{
    QTemporaryDir dir;
    QWidget window;
    auto* logo = new LogoPicture(&window);
    auto* list = new FileList(&window);
    list->setPath(dir.path());
    list->hide();
    platform::nameForScreenReaders(&window);
    window.setWindowTitle(QStringLiteral("Selvane - Test"));
    platform::testing::ScreenReaderEvents heard;
    platform::ManualClock clock(QDateTime(QDate(2001, 3, 9), QTime(12, 0)));
    platform::holdStartPicture(&window, clock);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Window); // a frame on the bus
    platform::showChooser(&window, QStringLiteral("Test - Setup File"), [&] {
        logo->hide();
        list->show();
    });
    QCoreApplication::processEvents();
    const QStringList titleAtFocus = heard.windowNamesAtFocus(&window);
    ASSERT_FALSE(titleAtFocus.isEmpty()) << "the list never took the focus";
    EXPECT_EQ(titleAtFocus, QStringList(titleAtFocus.size(), QStringLiteral("Test - Setup File")));
    EXPECT_EQ(heard.notices(), QStringList{QStringLiteral("Test - Setup File")});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Test - Setup File"));
}
