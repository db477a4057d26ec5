#pragma once
// What a screen reader meets as a program's start window turns from its
// picture to its chooser.

#include "platform/testing/ScreenReaderEvents.h"

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace accessibility {

// Runs `start` (the program's start, the picture held on a manual clock)
// while a reader listens, then checks the chooser that `chooser` returns:
// every focus in it read under its final `title`, that title said once as
// the window changed, and the window titled so.
inline void expectChooserReadUnderItsTitle(const std::function<void()>& start,
                                           const std::function<QWidget*()>& chooser, const QString& title)
{
    platform::testing::ScreenReaderEvents heard;
    start();
    QWidget* window = chooser();
    ASSERT_TRUE(window && window->isVisible());
    const QStringList atFocus = heard.windowNamesAtFocus(window);
    ASSERT_FALSE(atFocus.isEmpty()) << "the chooser never took the focus";
    EXPECT_EQ(atFocus, QStringList(atFocus.size(), title)) << atFocus.join(" | ").toStdString();
    EXPECT_EQ(heard.notices().count(title), 1) << heard.notices().join(" | ").toStdString();
    EXPECT_EQ(window->windowTitle(), title);
}

} // namespace accessibility
