#pragma once
// The fixture of the test programs that run on a dense screen: scale factor
// 2, set for the whole process before the application object exists. Such a
// program holds only dense-screen tests (a program of its own).

#include "platform/testing/QtTestApp.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace platform::testing {

inline const bool scaleFactorTwo = qputenv("QT_SCALE_FACTOR", "2");

class DenseScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scaleFactorTwo);
        application();
        ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    }
};

} // namespace platform::testing
