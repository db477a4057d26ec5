// What a screen reader gets from the suite's widgets, read through the
// accessibility interfaces and the events that reach the bus: a box's whole
// text, no change announced that did not happen, a refusal in words, value
// labels that notify a shown change a few times a second, toggles with
// their state, windows as frames or dialogs, combo boxes with their value,
// a list's one file.
#include "platform/widgets/ScreenReader.h"

#include "platform/testing/QtTestApp.h"
#include "platform/testing/ScreenReaderEvents.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/FilteredBox.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/StartWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using platform::testing::HeardEvent;
using platform::testing::ScreenReaderEvents;

namespace {

QAccessibleInterface* face(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

// The text a reader builds from the attribute runs, run after run from 0.
QString readByRuns(QAccessibleInterface* i)
{
    QAccessibleTextInterface* t = i->textInterface();
    if (!t)
        return QStringLiteral("<no text interface>");
    const int n = t->characterCount();
    QString line;
    int at = 0;
    while (at < n) {
        int start = -1, end = -1;
        t->attributes(at, &start, &end);
        if (end <= at)
            break;
        line += t->text(at, end);
        at = end;
    }
    return line;
}

void settle(int ms = 0)
{
    QElapsedTimer t;
    t.start();
    do
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    while (t.elapsed() < ms);
}

class ScreenReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::application();
        window.resize(400, 300);
    }
    void show()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        settle();
    }
    QWidget window;
    platform::ScriptedDialogs dialogs;
};

} // namespace

// Tx Power 500 is read "500", not "50"; a one-character value is read at
// all; a date and a callsign whole.
TEST_F(ScreenReader, BoxesAreReadWholeFromTheirAttributeRuns)
{
    auto* caption = new QLabel(QStringLiteral("Tx Power"), &window);
    auto* box = new QLineEdit(&window);
    box->move(120, 0);
    auto* date = new platform::MaskedEdit(QStringLiteral("##-##-####"), &window);
    date->move(120, 40);
    platform::nameForScreenReaders(&window);
    (void)caption;
    for (const char* value : {"500", "N", "1", "N0CALL", "146", ""}) {
        box->setText(QLatin1String(value));
        EXPECT_EQ(readByRuns(face(box)), QLatin1String(value)) << value;
        int start = -1, end = -1;
        face(box)->textInterface()->attributes(int(qstrlen(value)), &start, &end);
        EXPECT_EQ(end, int(qstrlen(value))) << "the run at the end of " << value;
    }
    date->setText(QStringLiteral("11-12-2026"));
    EXPECT_EQ(readByRuns(face(date)), "11-12-2026");
    EXPECT_EQ(face(box)->role(), QAccessible::EditableText);
    EXPECT_EQ(face(box)->text(QAccessible::Name), "Tx Power");
}

// A Space over the selected "146" that the filter refuses: Qt takes the
// selection out and puts it back; a reader hears no deletion, and hears the
// refusal in words instead. A key the filter takes is heard as usual.
TEST_F(ScreenReader, ARefusedKeyIsSaidAndNoChangeThatDidNotHappenIsHeard)
{
    new QLabel(QStringLiteral("Tx Power"), &window);
    auto* box = new QLineEdit(QStringLiteral("146"), &window);
    box->move(120, 0);
    platform::FilteredBox::attach(box, dialogs, [](const QString&, const QString& proposed) {
        for (QChar c : proposed)
            if (!c.isDigit())
                return platform::EditVerdict::refuse();
        return platform::EditVerdict::accept(proposed);
    });
    platform::nameForScreenReaders(&window);
    show();
    box->setFocus();
    box->selectAll();
    ScreenReaderEvents heard;
    QTest::keyClick(box, Qt::Key_Space);
    settle();
    ASSERT_EQ(box->text(), "146");
    EXPECT_TRUE(heard.of(QAccessible::TextRemoved, box).empty());
    EXPECT_TRUE(heard.of(QAccessible::TextInserted, box).empty());
    // The sign's words are read when the reader asks, once the key is over.
    std::vector<QString> notices;
    for (const HeardEvent& e : heard.of(QAccessible::ObjectShow))
        if (QAccessibleInterface* i = e.object ? face(e.object) : nullptr; i && i->role() == QAccessible::Notification)
            notices.push_back(i->text(QAccessible::Name));
    EXPECT_EQ(notices, std::vector<QString>{"Entry not allowed: Tx Power keeps 146"});

    heard.clear();
    QTest::keyClick(box, Qt::Key_7);
    settle();
    ASSERT_EQ(box->text(), "7");
    EXPECT_EQ(heard.of(QAccessible::TextRemoved, box).size(), 1u);
    EXPECT_EQ(heard.of(QAccessible::TextInserted, box).size(), 1u);
}

// A value label written at every cycle of a fast loop, often with the same
// text: readers get a change only when the text read changes, at most
// ValueLabelsPerSecond a second, and the last value of a burst still.
TEST_F(ScreenReader, AValueLabelNotifiesAShownChangeOnlyAFewTimesASecond)
{
    new QLabel(QStringLiteral("Az"), &window);
    auto* value = new QLabel(&window);
    value->setFrameShape(QFrame::Box);
    value->move(120, 0);
    platform::nameForScreenReaders(&window);
    show();
    ScreenReaderEvents heard;
    QElapsedTimer run;
    run.start();
    for (int i = 0; run.elapsed() < 1500; ++i) {
        // "Az -0.96" comes back again and again between other readings.
        value->setText(i % 3 == 0 ? QStringLiteral("-0.96") : QString::number(-0.90 - i * 0.01, 'f', 2));
        settle(10);
    }
    value->setText(QStringLiteral("-2.50"));
    settle(500);
    const auto names = heard.of(QAccessible::NameChanged, value);
    ASSERT_GE(names.size(), 2u);
    EXPECT_LE(names.size(), size_t(2 * platform::ValueLabelsPerSecond + 1));
    for (size_t k = 1; k < names.size(); ++k) {
        EXPECT_NE(names[k].name, names[k - 1].name) << "a notice without a change, at " << k;
        EXPECT_GE(names[k].ms - names[k - 1].ms, 1000 / platform::ValueLabelsPerSecond - 5) << "at " << k;
    }
    EXPECT_EQ(names.back().name, "Az -2.50");

    // A text written and written back before the program is done is no
    // change.
    heard.clear();
    value->setText(QStringLiteral("-2.5"));
    value->setText(QStringLiteral("-2.50"));
    settle(500);
    EXPECT_TRUE(heard.of(QAccessible::NameChanged, value).empty());
}

// Image buttons that show a state are read as check boxes or radio buttons,
// checked while they show their pressed picture; a button that switches
// between choices is read with the one in force.
TEST_F(ScreenReader, TogglesAreReadWithTheirRoleAndState)
{
    QPixmap p(20, 20);
    p.fill(Qt::gray);
    auto* tracking = new platform::ImageButton(p, p, platform::ImageButton::Behaviour::Manual, &window);
    tracking->setAccessibleName(QStringLiteral("Tracking"));
    tracking->setShowsState(true);
    auto* moon = new platform::ImageButton(p, p, platform::ImageButton::Behaviour::Manual, &window);
    moon->setAccessibleName(QStringLiteral("Moon"));
    moon->setShowsState(true, platform::ImageButton::StateKind::OneOfMany);
    int period = 0;
    auto* periode = new platform::ImageButton(p, p, platform::ImageButton::Behaviour::Manual, &window);
    periode->setAccessibleName(QStringLiteral("Traffic period"));
    periode->setStateText([&period] { return period == 0 ? QStringLiteral("first") : QStringLiteral("second"); });

    EXPECT_EQ(face(tracking)->role(), QAccessible::CheckBox);
    EXPECT_EQ(face(moon)->role(), QAccessible::RadioButton);
    EXPECT_EQ(face(periode)->role(), QAccessible::PushButton);
    EXPECT_TRUE(face(tracking)->state().checkable);
    EXPECT_FALSE(face(tracking)->state().checked);
    tracking->showPressed();
    EXPECT_TRUE(face(tracking)->state().checked);
    EXPECT_EQ(face(periode)->text(QAccessible::Name), "Traffic period: first");
    show();
    ScreenReaderEvents heard;
    period = 1;
    periode->showPressed();
    EXPECT_EQ(face(periode)->text(QAccessible::Name), "Traffic period: second");
    EXPECT_EQ(heard.of(QAccessible::NameChanged, periode).size(), 1u);
}

// A plain widget shown as a window is read as a frame, or as a dialog when
// the program says so; never as "filler"; by its title, also minimised.
TEST_F(ScreenReader, WindowsAreReadAsFramesOrDialogs)
{
    window.setWindowTitle(QStringLiteral("Selvane - Tracking"));
    platform::nameForScreenReaders(&window);
    EXPECT_EQ(face(&window)->role(), QAccessible::Window);
    EXPECT_EQ(face(&window)->text(QAccessible::Name), "Selvane - Tracking");
    show();
    window.setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(face(&window)->text(QAccessible::Name), "Selvane - Tracking") << "minimised";
    QWidget chooser;
    chooser.setWindowTitle(QStringLiteral("Tracking - Setup File"));
    platform::presentAsDialog(&chooser);
    platform::nameForScreenReaders(&chooser);
    EXPECT_EQ(face(&chooser)->role(), QAccessible::Dialog);
}

// The control holding the focus is disabled by the program: Qt moves the
// focus on; a reader is told why and where.
TEST_F(ScreenReader, AFocusMovedByDisablingItsControlIsSaid)
{
    auto* moon = new QPushButton(QStringLiteral("Moon"), &window);
    auto* period = new QPushButton(QStringLiteral("First period"), &window);
    period->move(0, 40);
    platform::nameForScreenReaders(&window);
    show();
    moon->setFocus();
    ScreenReaderEvents heard;
    moon->setEnabled(false);
    settle();
    ASSERT_EQ(QApplication::focusWidget(), period);
    EXPECT_EQ(heard.notices(), QStringList{"Moon is unavailable now; the focus moved to First period"});
}

// A combo box read with its caption and its value: the entry chosen is its
// text, and another entry chosen is told.
TEST_F(ScreenReader, AComboBoxIsReadWithTheEntryChosen)
{
    new QLabel(QStringLiteral("Range"), &window);
    auto* range = new QComboBox(&window);
    range->move(120, 0);
    range->addItems({QStringLiteral("Perigee"), QStringLiteral("Average"), QStringLiteral("Apogee")});
    platform::nameForScreenReaders(&window);
    show();
    QAccessibleInterface* i = face(range);
    ASSERT_EQ(i->role(), QAccessible::ComboBox);
    ASSERT_NE(i->textInterface(), nullptr);
    EXPECT_EQ(i->textInterface()->text(0, -1), "Perigee");
    ScreenReaderEvents heard;
    range->setCurrentIndex(1);
    EXPECT_EQ(i->textInterface()->text(0, -1), "Average");
    EXPECT_EQ(heard.of(QAccessible::NameChanged, range).size(), 1u);
    QStringList labels;
    for (const auto& [label, relation] : i->relations(QAccessible::Label))
        labels << label->text(QAccessible::Name);
    EXPECT_EQ(labels, QStringList{"Range"});
}

// A list of one file: Down chooses the entry the list stands on; readers are
// told of it as of a move to it.
TEST_F(ScreenReader, TheOneFileOfAListIsToldWhenTheKeysChooseIt)
{
    QTemporaryDir folder;
    QFile f(folder.filePath(QStringLiteral("home.dat")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    auto* list = new platform::FileList(&window);
    list->setPattern(QStringLiteral("*.dat"));
    list->setPath(folder.path());
    platform::nameForScreenReaders(&window);
    show();
    list->setFocus(Qt::TabFocusReason);
    ScreenReaderEvents heard;
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->fileName(), "home.dat");
    EXPECT_FALSE(heard.of(QAccessible::Focus, list).empty());
}

// A grid refusing a key in its current cell: the notice names the cell by
// its column and its row's title and says what it keeps.
TEST_F(ScreenReader, ARefusalInAGridCellNamesTheCell)
{
    auto* grid = new platform::Grid(3, 3, &window);
    grid->setFixedCols(1);
    grid->setTextMatrix(0, 1, QStringLiteral("Azim"));
    grid->setColumnNames({QStringLiteral("Azimuth"), QStringLiteral("Azimuth correction"),
                          QStringLiteral("Elevation correction")});
    grid->setTextMatrix(2, 0, QStringLiteral("10"));
    grid->setTextMatrix(2, 1, QStringLiteral("1.5"));
    grid->setRow(2);
    grid->setCol(1);
    platform::signalRefusal(grid->table()->viewport(), dialogs, grid->cellRect(2, 1));
    const QWidget* sign = grid->table()->viewport()->findChild<QWidget*>(QStringLiteral("refusalSign"));
    ASSERT_NE(sign, nullptr);
    EXPECT_EQ(face(const_cast<QWidget*>(sign))->role(), QAccessible::Notification);
    EXPECT_EQ(face(const_cast<QWidget*>(sign))->text(QAccessible::Name),
              "Entry not allowed: Azimuth correction at 10 keeps 1.5");
}
