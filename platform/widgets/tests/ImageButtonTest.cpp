#include "platform/widgets/ImageButton.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

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
