#include "platform/widgets/ImageButton.h"

#include "platform/widgets/tests/KeyWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

using platform::ImageButton;

namespace {

QPixmap solid(Qt::GlobalColor c)
{
    QPixmap p(24, 22);
    p.fill(c);
    return p;
}

// The colour the button shows in its middle.
QColor shown(ImageButton& b) { return b.grab().toImage().pixelColor(12, 11); }

} // namespace

TEST(ImageButton, ActOnceShowsPressedWhileDownAndActsOnRelease)
{
    QWidget w;
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::ActOnce, &w);
    w.show();
    QSignalSpy down(&b, &ImageButton::mouseDown), up(&b, &ImageButton::mouseUp), act(&b, &ImageButton::activated);
    bool pressedAtDown = false, releasedAtUp = false;
    QObject::connect(&b, &ImageButton::mouseDown, [&] { pressedAtDown = b.isPressedShown(); });
    QObject::connect(&b, &ImageButton::mouseUp, [&] { releasedAtUp = !b.isPressedShown(); });

    EXPECT_EQ(shown(b), QColor(Qt::green));
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(4, 6));
    EXPECT_TRUE(b.isPressedShown());
    EXPECT_EQ(shown(b), QColor(Qt::red));
    EXPECT_EQ(act.count(), 0);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(4, 6));
    EXPECT_FALSE(b.isPressedShown());
    EXPECT_EQ(shown(b), QColor(Qt::green));
    EXPECT_EQ(down.count(), 1);
    EXPECT_EQ(up.count(), 1);
    EXPECT_EQ(act.count(), 1);
    EXPECT_TRUE(pressedAtDown);
    EXPECT_TRUE(releasedAtUp); // the released picture is back before the action

    // Button code and twips position as the handlers take them.
    EXPECT_EQ(down.at(0).at(0).toInt(), 1);
    EXPECT_DOUBLE_EQ(down.at(0).at(2).toDouble(), 4 * 15.0);
    EXPECT_DOUBLE_EQ(down.at(0).at(3).toDouble(), 6 * 15.0);
    QTest::mouseClick(&b, Qt::RightButton, Qt::ShiftModifier, QPoint(1, 1));
    EXPECT_EQ(up.at(1).at(0).toInt(), 2);
    EXPECT_EQ(up.at(1).at(1).toInt(), 1);
    EXPECT_EQ(act.count(), 2); // any button acts
}

TEST(ImageButton, ToggleActsOnPressAndKeepsItsState)
{
    QWidget w;
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::Toggle, &w);
    w.show();
    QSignalSpy toggled(&b, &ImageButton::toggled);
    QTest::mousePress(&b, Qt::LeftButton);
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_TRUE(toggled.at(0).at(0).toBool());
    QTest::mouseRelease(&b, Qt::LeftButton);
    EXPECT_TRUE(b.isPressedShown()); // the release keeps the state
    EXPECT_EQ(shown(b), QColor(Qt::red));
    QTest::mouseClick(&b, Qt::LeftButton);
    ASSERT_EQ(toggled.count(), 2);
    EXPECT_FALSE(toggled.at(1).at(0).toBool());
    EXPECT_EQ(shown(b), QColor(Qt::green));
}

TEST(ImageButton, ManualLeavesThePicturesToTheHandlers)
{
    QWidget w;
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::Manual, &w);
    w.show();
    QObject::connect(&b, &ImageButton::mouseUp, [&] { b.showPressed(); });
    QTest::mousePress(&b, Qt::LeftButton);
    EXPECT_FALSE(b.isPressedShown());
    QTest::mouseRelease(&b, Qt::LeftButton);
    EXPECT_TRUE(b.isPressedShown());
    b.showReleased();
    EXPECT_FALSE(b.isPressedShown());
}

TEST(ImageButton, DisabledParentSwallowsTheMouse)
{
    QWidget w;
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::ActOnce, &w);
    w.show();
    QSignalSpy down(&b, &ImageButton::mouseDown);
    w.setEnabled(false); // as a picture box holding the buttons is switched off
    QTest::mouseClick(&b, Qt::LeftButton);
    EXPECT_EQ(down.count(), 0);
    EXPECT_FALSE(b.isPressedShown());
    w.setEnabled(true);
    QTest::mouseClick(&b, Qt::LeftButton);
    EXPECT_EQ(down.count(), 1);
}

namespace {

void sendKey(QWidget* w, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent e(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(ImageButton, SpaceIsTheLeftButtonAndEnterAClick)
{
    KeyWindow w;
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::ActOnce, &w);
    w.show();
    QSignalSpy down(&b, &ImageButton::mouseDown), up(&b, &ImageButton::mouseUp), act(&b, &ImageButton::activated);
    // Before the keyboard is used in the window, its keys go on to it.
    for (int k : {Qt::Key_Space, Qt::Key_Return}) {
        sendKey(&b, QEvent::KeyPress, k);
        sendKey(&b, QEvent::KeyRelease, k);
    }
    EXPECT_EQ(w.keys, (std::vector<int>{Qt::Key_Space, Qt::Key_Return}));
    EXPECT_EQ(down.count(), 0);
    w.keys.clear();
    w.setAttribute(Qt::WA_KeyboardFocusChange); // as after a Tab in the window

    sendKey(&b, QEvent::KeyPress, Qt::Key_Space);
    EXPECT_EQ(down.count(), 1);
    EXPECT_TRUE(b.isPressedShown());
    sendKey(&b, QEvent::KeyPress, Qt::Key_Space, true); // held: its repeats are one press
    sendKey(&b, QEvent::KeyRelease, Qt::Key_Space, true);
    EXPECT_EQ(down.count(), 1);
    EXPECT_EQ(up.count(), 0);
    sendKey(&b, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(up.count(), 1);
    EXPECT_EQ(act.count(), 1);
    EXPECT_FALSE(b.isPressedShown());
    // The left button at the button's centre, in twips.
    EXPECT_EQ(down.at(0).at(0).toInt(), 1);
    EXPECT_EQ(down.at(0).at(1).toInt(), 0);
    EXPECT_DOUBLE_EQ(down.at(0).at(2).toDouble(), 12 * 15.0);
    EXPECT_DOUBLE_EQ(up.at(0).at(3).toDouble(), 11 * 15.0);

    for (int k : {Qt::Key_Return, Qt::Key_Enter}) {
        sendKey(&b, QEvent::KeyPress, k);
        sendKey(&b, QEvent::KeyRelease, k);
    }
    EXPECT_EQ(down.count(), 3);
    EXPECT_EQ(act.count(), 3);
    EXPECT_TRUE(w.keys.empty());
}

TEST(ImageButton, TheWindowsOwnKeysGoOnToTheWindow)
{
    KeyWindow w;
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::ActOnce, &w);
    w.show();
    QSignalSpy down(&b, &ImageButton::mouseDown);
    const std::vector<int> keys{Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down,
                                Qt::Key_F1,   Qt::Key_F3, Qt::Key_F5,    Qt::Key_F8};
    for (int k : keys)
        QTest::keyClick(&b, Qt::Key(k));
    EXPECT_EQ(w.keys, keys);
    EXPECT_EQ(down.count(), 0);
}

TEST(ImageButton, FocusByTheTabKeyOnlyWithItsFrameShownThen)
{
    QWidget w;
    QLineEdit box(&w);
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::ActOnce, &w);
    b.move(0, 40);
    w.show();
    QApplication::setActiveWindow(&w);
    box.setFocus();
    ASSERT_TRUE(box.hasFocus());
    const QImage plain = b.grab().toImage();

    // The mouse leaves the focus where it was, and the picture alone shows.
    QTest::mouseClick(&b, Qt::LeftButton);
    EXPECT_TRUE(box.hasFocus());
    b.setFocus(Qt::ActiveWindowFocusReason); // as at a window's activation
    ASSERT_TRUE(b.hasFocus());
    EXPECT_EQ(b.grab().toImage(), plain);

    // Tab: the focus frame shows.
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Tab);
    ASSERT_TRUE(b.hasFocus());
    EXPECT_NE(b.grab().toImage(), plain);

    b.setEnabled(false); // a disabled button is passed over
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Tab);
    EXPECT_FALSE(b.hasFocus());
}

TEST(ImageButton, AKeyPressAlwaysGetsItsReleaseAsAMousePressDoes)
{
    QWidget w;
    QLineEdit other(&w);
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::ActOnce, &w);
    w.show();
    QApplication::setActiveWindow(&w);
    QSignalSpy up(&b, &ImageButton::mouseUp);
    w.setAttribute(Qt::WA_KeyboardFocusChange);
    b.setFocus();
    sendKey(&b, QEvent::KeyPress, Qt::Key_Space);
    other.setFocus(); // the Space key will come up elsewhere
    EXPECT_EQ(up.count(), 1);
    EXPECT_FALSE(b.isPressedShown());
    sendKey(&other, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(up.count(), 1);
}

// A press that switches its own button off (as a computation switching the
// buttons off) gets no release, whether it came from the mouse, the keyboard
// or a screen reader's Press action.
TEST(ImageButton, KeysAndPressActionFollowTheMouseWhenThePressSwitchesTheButtonOff)
{
    QWidget w;
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::Manual, &w);
    w.show();
    QObject::connect(&b, &ImageButton::mouseDown, [&] { b.setEnabled(false); });
    QSignalSpy down(&b, &ImageButton::mouseDown), up(&b, &ImageButton::mouseUp);
    QTest::mousePress(&b, Qt::LeftButton);
    QTest::mouseRelease(&b, Qt::LeftButton);
    const int mouseUps = up.count();
    b.setEnabled(true);
    w.setAttribute(Qt::WA_KeyboardFocusChange);
    b.setFocus();
    sendKey(&b, QEvent::KeyPress, Qt::Key_Return);
    b.setEnabled(true);
    QAccessible::queryAccessibleInterface(&b)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(down.count(), 3);
    EXPECT_EQ(up.count(), 3 * mouseUps);
    b.click(); // disabled now: nothing
    EXPECT_EQ(down.count(), 3);
}

TEST(ImageButton, ScreenReadersSeeAPushButtonWithThePressAction)
{
    QGroupBox frame("Antenna offset position");
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::ActOnce, &frame);
    frame.show();
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(&b);
    ASSERT_TRUE(i);
    EXPECT_EQ(i->role(), QAccessible::PushButton);
    EXPECT_EQ(i->text(QAccessible::Name), ""); // never the frame's title
    b.setToolTip("Park");
    EXPECT_EQ(i->text(QAccessible::Name), "Park");
    b.setAccessibleName("Park the antenna");
    EXPECT_EQ(i->text(QAccessible::Name), "Park the antenna");
    EXPECT_TRUE(i->state().focusable);

    QAccessibleActionInterface* a = i->actionInterface();
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QSignalSpy act(&b, &ImageButton::activated);
    a->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(act.count(), 1);
    b.setEnabled(false);
    a->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(act.count(), 1);
    EXPECT_TRUE(i->state().disabled);
}

TEST(ImageButton, APictureThatSaysOnIsReadAsAToggle)
{
    QWidget w;
    ImageButton b(solid(Qt::green), solid(Qt::red), ImageButton::Behaviour::Manual, &w);
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(&b);
    EXPECT_FALSE(i->state().checkable);
    b.showPressed();
    EXPECT_TRUE(i->state().pressed);
    b.setShowsState(true); // the current source, tracking on
    EXPECT_TRUE(i->state().checkable);
    EXPECT_TRUE(i->state().checked);
    EXPECT_FALSE(i->state().pressed);
    b.showReleased();
    EXPECT_FALSE(i->state().checked);
}
