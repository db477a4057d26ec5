#include "platform/widgets/Accessible.h"

#include "platform/widgets/Grid.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

template <typename W>
W* at(QWidget* parent, int x, int y, int w = 80, int h = 20)
{
    auto* c = new W(parent);
    c->setGeometry(x, y, w, h);
    return c;
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w = 80)
{
    auto* l = at<QLabel>(parent, x, y, w);
    l->setText(text);
    return l;
}

QString name(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); }

// The texts of the labels related to `w` as its label, as Qt's bridge puts
// them on the accessibility bus (a combo box's only way to say what it is).
QStringList labelsOf(QWidget* w)
{
    QStringList t;
    for (const auto& [l, relation] : QAccessible::queryAccessibleInterface(w)->relations(QAccessible::Label))
        t << l->text(QAccessible::Name);
    return t;
}

} // namespace

TEST(Accessible, ComboBoxesAreLabelledByTheirCaption)
{
    QWidget w;
    QLabel* caption = label(&w, "Range", 0, 0);
    auto* range = at<QComboBox>(&w, 90, 0);
    range->addItems({"Perigee", "Average", "Apogee"});
    QLabel* amp = label(&w, "Tx & Rx", 0, 40);
    auto* both = at<QComboBox>(&w, 90, 40);
    both->addItem("Both");
    platform::nameForScreenReaders(&w);

    EXPECT_EQ(labelsOf(range), QStringList{"Range"});
    EXPECT_EQ(caption->buddy(), range);
    // A caption with "&" would become a mnemonic with a buddy: a hidden copy
    // labels the box, and the caption shows as it did.
    EXPECT_EQ(labelsOf(both), QStringList{"Tx & Rx"});
    EXPECT_EQ(amp->buddy(), nullptr);
    EXPECT_EQ(amp->text(), "Tx & Rx");
    platform::nameForScreenReaders(&w); // again: still one label each
    EXPECT_EQ(labelsOf(range).size(), 1);
    EXPECT_EQ(labelsOf(both).size(), 1);

    // The table's name replaces the caption's; the caption is a caption again.
    platform::nameControls({{range, "Moon distance"}});
    EXPECT_EQ(labelsOf(range), QStringList{"Moon distance"});
    EXPECT_EQ(caption->buddy(), nullptr);
    platform::nameControls({{range, "Range"}});
    EXPECT_EQ(labelsOf(range), QStringList{"Range"});
    EXPECT_EQ(caption->buddy(), range);
}

TEST(Accessible, ButtonsWithoutTextAreNamedByTheirMeaningOrTip)
{
    QGroupBox frame("Drive control");
    frame.resize(600, 200);
    QRadioButton* options[3];
    const char* meanings[3] = {"Normal track", "Normal track + error", "Speed control"};
    for (int i = 0; i < 3; ++i) {
        options[i] = at<QRadioButton>(&frame, 10, 20 + 30 * i, 20);
        label(&frame, meanings[i], 40, 20 + 30 * i, 300);
    }
    auto* quit = at<QPushButton>(&frame, 400, 20);
    quit->setToolTip("Quit");
    auto* texted = at<QCheckBox>(&frame, 400, 60);
    texted->setText("Without stop");
    label(&frame, "Something else", 490, 60);
    platform::nameForScreenReaders(&frame);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(name(options[i]), meanings[i]); // not the frame's title, once each
    EXPECT_EQ(name(quit), "Quit");
    EXPECT_EQ(name(texted), "Without stop");
}

TEST(Accessible, OneTableNamesEveryKindOfControl)
{
    QGroupBox frame("Latitude");
    frame.resize(400, 200);
    label(&frame, "Deg", 0, 20);
    auto* deg = at<QLineEdit>(&frame, 90, 20);
    label(&frame, "Lat", 0, 60);
    auto* value = label(&frame, "45.500", 90, 60);
    value->setFrameShape(QFrame::Box);
    auto* help = at<QPushButton>(&frame, 200, 20);
    help->setText("?");
    auto* grid = new platform::Grid(3, 2, &frame);
    platform::nameForScreenReaders(&frame);
    EXPECT_EQ(name(deg), "Deg");
    EXPECT_EQ(name(value), "Lat 45.500");

    platform::nameControls({{deg, "Latitude degrees"}, {value, "Latitude"}, {help, "Help: latitude"},
                            {grid, "Moon location table"}, {nullptr, "ignored"}});
    EXPECT_EQ(name(deg), "Latitude degrees");
    EXPECT_EQ(name(value), "Latitude 45.500"); // still read with its value
    value->setText("-12.250");
    EXPECT_EQ(name(value), "Latitude -12.250");
    EXPECT_EQ(name(help), "Help: latitude");
    EXPECT_EQ(name(grid->table()), "Moon location table");
}

TEST(Accessible, AButtonShowingAValueIsReadWithItsName)
{
    QWidget w;
    auto* format = at<QPushButton>(&w, 0, 0);
    format->setText("BIN");
    QObject::connect(format, &QPushButton::clicked,
                     [format] { format->setText(format->text() == "BIN" ? "BCD" : "BIN"); });
    platform::nameValueButton(format, "Azimuth encoder format");
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(format);
    EXPECT_EQ(i->role(), QAccessible::PushButton);
    EXPECT_EQ(i->text(QAccessible::Name), "Azimuth encoder format BIN");
    ASSERT_TRUE(i->actionInterface());
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(i->text(QAccessible::Name), "Azimuth encoder format BCD");
    EXPECT_EQ(i->text(QAccessible::Value), "BCD");
    format->setEnabled(false);
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(format->text(), "BCD");
}

TEST(Accessible, APictureIsReadAsTheTextItsProgramDerives)
{
    QWidget w;
    auto* phase = at<QLabel>(&w, 0, 0, 32, 32);
    QPixmap p(32, 32);
    p.fill(Qt::gray);
    phase->setPixmap(p);
    int sector = 1;
    const char* names[] = {"new", "waxing crescent", "first quarter"};
    platform::describePicture(phase, [&] { return QStringLiteral("Moon phase: ") + names[sector]; });
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(phase);
    EXPECT_EQ(i->role(), QAccessible::Graphic);
    EXPECT_EQ(i->text(QAccessible::Name), "Moon phase: waxing crescent");
    sector = 2;
    EXPECT_EQ(i->text(QAccessible::Name), "Moon phase: first quarter");
    platform::describePicture(phase, [] { return QStringLiteral("Period: mine, 12 s left"); },
                              QAccessible::ProgressBar);
    EXPECT_EQ(i->text(QAccessible::Name), "Period: mine, 12 s left");
    EXPECT_EQ(i->role(), QAccessible::ProgressBar);
}
