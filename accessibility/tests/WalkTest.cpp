// The walk itself, on a small window holding one case of each finding and
// the look-alikes that are none.
#include "accessibility/tests/Walk.h"

#include "platform/testing/QtTestApp.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/ScreenReader.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <set>

using accessibility::Finding;
using accessibility::walk;
using accessibility::WindowWalk;

namespace {

template <typename W>
W* add(QWidget* parent, const char* objectName, int x, int y)
{
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(objectName));
    w->move(x, y);
    return w;
}

std::set<std::string> objectsWith(const WindowWalk& w, Finding::Kind kind)
{
    std::set<std::string> names;
    for (const Finding& f : w.findings)
        if (f.kind == kind)
            for (const auto& c : f.controls)
                names.insert(c.objectName.toStdString());
    return names;
}

} // namespace

TEST(Walk, FindsEmptyAndSharedNamesAndImageButtonsWithoutPress)
{
    platform::testing::application();
    QMainWindow window;
    window.setObjectName("Fixture");
    window.setWindowTitle("Fixture");
    auto* area = new QWidget(&window);
    window.setCentralWidget(area);

    add<QPushButton>(area, "Named", 0, 0)->setText("O.K.");
    add<QPushButton>(area, "SoundsAlike", 0, 180)->setText("o.k"); // heard as "O.K."
    add<QPushButton>(area, "Blank", 0, 30);
    add<QLineEdit>(area, "LatDeg", 0, 60)->setAccessibleName("Deg");
    add<QLineEdit>(area, "LonDeg", 0, 90)->setAccessibleName("Deg");
    add<QPushButton>(area, "DegButton", 0, 120)->setText("Deg"); // another role: no finding
    auto* hidden = add<QLineEdit>(area, "Hidden", 0, 150);
    hidden->hide();

    // A combo box is announced by its label relation, not by its name.
    add<QLabel>(area, "CaptionAlone", 200, 0)->setText("Range");
    auto* alone = add<QComboBox>(area, "ComboAlone", 260, 0);
    alone->addItems({"Perigee", "Apogee"});
    alone->setAccessibleName("Range");
    auto* caption = add<QLabel>(area, "CaptionBuddy", 200, 40);
    caption->setText("Moon range");
    auto* labelled = add<QComboBox>(area, "ComboLabelled", 260, 40);
    labelled->addItems({"Perigee", "Apogee"});
    caption->setBuddy(labelled);

    // Entries of a list are its own parts, not controls of the window.
    auto* list = add<QListWidget>(area, "Files", 200, 80);
    list->setAccessibleName("Files *.dat");
    list->addItems({"home.dat", "home.dat"});

    QPixmap picture(20, 20);
    picture.fill(Qt::blue);
    auto* moon = new platform::ImageButton(picture, picture, platform::ImageButton::Behaviour::ActOnce, area);
    moon->setObjectName("ImgLune");
    moon->setAccessibleName("Moon");
    auto* unnamed = new platform::ImageButton(picture, picture, platform::ImageButton::Behaviour::ActOnce, area);
    unnamed->setObjectName("ImgQuit");
    // An image button whose interface is a bare widget's (as a plain picture
    // would be): the walk must tell it from a real button.
    auto* bare = new platform::ImageButton(picture, picture, platform::ImageButton::Behaviour::ActOnce, area);
    bare->setObjectName("ImgBare");
    bare->setAccessibleName("Bare");
    QAccessible::registerAccessibleInterface(new QAccessibleWidget(bare, QAccessible::Client));

    // Menus: one item under two submenus is no finding; twice in one menu is.
    QMenu* print = window.menuBar()->addMenu("Print");
    print->addMenu("Moon position")->addAction("All windows");
    print->addMenu("Common windows")->addAction("All windows");
    QMenu* source = window.menuBar()->addMenu("Sources");
    source->addAction("Moon")->setObjectName("Moon1");
    source->addAction("Moon")->setObjectName("Moon2");

    const WindowWalk w = walk(&window);
    EXPECT_EQ(w.window, "Fixture");
    EXPECT_EQ(objectsWith(w, Finding::Kind::EmptyName),
              (std::set<std::string>{"Blank", "Hidden", "ComboAlone", "ImgQuit"}));
    EXPECT_EQ(objectsWith(w, Finding::Kind::SameName),
              (std::set<std::string>{"Named", "SoundsAlike", "LatDeg", "LonDeg", "Moon1", "Moon2"}));
    EXPECT_EQ(objectsWith(w, Finding::Kind::ImageButtonWithoutPress), (std::set<std::string>{"ImgBare"}));

    std::map<QString, accessibility::Control> byObject;
    for (const auto& c : w.controls)
        byObject[c.objectName] = c;
    EXPECT_EQ(byObject["ComboLabelled"].name, "Moon range");
    EXPECT_EQ(byObject["ComboLabelled"].role, "ComboBox");
    EXPECT_EQ(byObject["ImgLune"].role, "PushButton");
    EXPECT_TRUE(byObject["ImgLune"].pressAction);
    EXPECT_TRUE(byObject["Hidden"].hidden);
    EXPECT_EQ(byObject["Files"].role, "List");
    for (const auto& c : w.controls)
        EXPECT_NE(c.role, "ListItem") << c.objectName.toStdString();
    EXPECT_EQ(accessibility::count({w}).total(), 4 + 6 + 1);
}

// What is read wrong: a box whose attribute runs do not cover its text (Qt's
// own line edit), a toggle read as a plain button, a window read as a
// filler, a table with a repeated and an empty header; and the look-alikes
// that are right.
TEST(Walk, FindsCutBoxTextsTogglesReadWrongFillerWindowsAndRepeatedHeaders)
{
    platform::testing::application();
    QWidget window;
    window.setObjectName("Plain");
    window.setWindowTitle("Selvane - Tracking");
    add<QLineEdit>(&window, "Cut", 0, 0)->setText("500");
    auto* whole = add<QLineEdit>(&window, "Whole", 0, 30);
    whole->setText("500");
    platform::giveTextInterface(whole);
    auto* checked = add<QPushButton>(&window, "Checked", 0, 60);
    checked->setCheckable(true);
    checked->setChecked(true);
    QPixmap picture(20, 20);
    picture.fill(Qt::blue);
    auto* toggle = new platform::ImageButton(picture, picture, platform::ImageButton::Behaviour::Manual, &window);
    toggle->setObjectName("Toggle");
    toggle->setShowsState(true);
    toggle->showPressed();
    auto* bare = new platform::ImageButton(picture, picture, platform::ImageButton::Behaviour::Manual, &window);
    bare->setObjectName("BareToggle");
    bare->setShowsState(true);
    bare->showPressed();
    QAccessible::registerAccessibleInterface(new QAccessibleWidget(bare, QAccessible::PushButton));
    auto* table = add<QTableWidget>(&window, "Table", 0, 90);
    table->setColumnCount(4);
    table->setHorizontalHeaderLabels({"UTC", "Azim", "Azim", " "});

    const WindowWalk w = walk(&window);
    EXPECT_EQ(objectsWith(w, Finding::Kind::BoxTextCut), (std::set<std::string>{"Cut"}));
    EXPECT_EQ(objectsWith(w, Finding::Kind::ToggleState), (std::set<std::string>{"BareToggle"}));
    EXPECT_EQ(objectsWith(w, Finding::Kind::WindowRole), (std::set<std::string>{"Plain"}));
    EXPECT_EQ(objectsWith(w, Finding::Kind::Headers), (std::set<std::string>{"Table"}));
    for (const Finding& f : w.findings) {
        if (f.kind == Finding::Kind::Headers) {
            EXPECT_EQ(f.detail, "header \"Azim\" repeats; column 3 has an empty header");
        }
    }
}
