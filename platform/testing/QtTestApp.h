#pragma once
// The one QApplication of a test executable that opens windows.

class QApplication;
class QString;
class QWidget;

namespace platform::testing {

// Created on first use and kept until the process ends: widgets that outlive
// a test (windows the programs hide rather than destroy) must never find it
// gone. Tests run with QT_QPA_PLATFORM=offscreen (set by the test runner, and
// by application() itself when the variable is not set).
QApplication& application();

// What a screen reader names `w` (its accessible interface's name), or
// "<no interface>" when it has none.
QString accessibleName(QWidget* w);

} // namespace platform::testing
