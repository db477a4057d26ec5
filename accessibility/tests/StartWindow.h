#pragma once
// What a screen reader meets as a program's start window turns from its
// picture to its chooser.

#include "platform/testing/ScreenReaderEvents.h"

#include <QCoreApplication>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace accessibility {

// How the window after the picture comes: the picture's own window turned
// into the chooser (its new title said once as a notice), or a window of
// its own, which a reader announces as it appears (no notice).
enum class AfterThePicture { SameWindow, NewWindow };

// Runs `start` (the program's start, the picture held on a manual clock)
// while a reader listens, then checks the window that `chooser` returns:
// every focus in it read under its final `title`, that title said as
// `after` asks, and the window titled so.
inline void expectChooserReadUnderItsTitle(const std::function<void()>& start,
                                           const std::function<QWidget*()>& chooser, const QString& title,
                                           AfterThePicture after = AfterThePicture::SameWindow)
{
    platform::testing::ScreenReaderEvents heard;
    start();
    QCoreApplication::processEvents(); // the window system's activation
    QWidget* window = chooser();
    ASSERT_TRUE(window && window->isVisible());
    const QStringList atFocus = heard.windowNamesAtFocus(window);
    ASSERT_FALSE(atFocus.isEmpty()) << "the chooser never took the focus";
    EXPECT_EQ(atFocus, QStringList(atFocus.size(), title)) << atFocus.join(" | ").toStdString();
    EXPECT_EQ(heard.notices().count(title), after == AfterThePicture::SameWindow ? 1 : 0)
        << heard.notices().join(" | ").toStdString();
    EXPECT_EQ(window->windowTitle(), title);
}

} // namespace accessibility
