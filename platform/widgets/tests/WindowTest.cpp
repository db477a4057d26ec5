// Return on a focused push button presses it, everywhere in the application.
#include "platform/widgets/Window.h"

#include "platform/widgets/tests/KeyWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <vector>

TEST(Window, ReturnPressesTheFocusedButton)
{
    platform::pressFocusedButtonOnReturn();
    platform::pressFocusedButtonOnReturn(); // a second call adds no second filter
    QWidget w;
    auto* edit = new QLineEdit(&w);
    auto* ok = new QPushButton(QStringLiteral("O.K."), &w);
    auto* l = new QVBoxLayout(&w);
    l->addWidget(edit);
    l->addWidget(ok);
    int clics = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++clics; });
    w.show();
    QApplication::setActiveWindow(&w);

    struct Cas {
        const char* nom;
        QWidget* focus;
        Qt::Key touche;
        Qt::KeyboardModifiers modifs;
        bool actif;
        int clics;
    };
    const Cas cas[] = {
        {"Return on the button", ok, Qt::Key_Return, Qt::NoModifier, true, 1},
        {"keypad Enter on the button", ok, Qt::Key_Enter, Qt::KeypadModifier, true, 1},
        {"Ctrl+Return", ok, Qt::Key_Return, Qt::ControlModifier, true, 0},
        {"disabled button", ok, Qt::Key_Return, Qt::NoModifier, false, 0},
        {"Return in the text box", edit, Qt::Key_Return, Qt::NoModifier, true, 0},
    };
    for (const Cas& c : cas) {
        clics = 0;
        ok->setEnabled(c.actif);
        c.focus->setFocus();
        QTest::keyClick(c.focus, c.touche, c.modifs);
        EXPECT_EQ(clics, c.clics) << c.nom;
    }
}

// A push button reached by Tab in a window that steps an antenna with the
// arrows: the arrows still step, Space still presses the button.
TEST(Window, ArrowKeysOnAFocusedButtonGoToTheWindow)
{
    KeyWindow w;
    auto* dxcc = new QPushButton(QStringLiteral("DXCC"), &w);
    auto* other = new QPushButton(QStringLiteral("O.K."), &w);
    other->move(0, 40);
    dxcc->setFocusPolicy(Qt::NoFocus);
    platform::leaveArrowKeysToWindow(dxcc);
    platform::leaveArrowKeysToWindow(dxcc); // once is enough
    EXPECT_EQ(dxcc->focusPolicy(), Qt::TabFocus);
    int clicks = 0;
    QObject::connect(dxcc, &QPushButton::clicked, [&] { ++clicks; });
    w.show();
    QApplication::setActiveWindow(&w);
    dxcc->setFocus(Qt::TabFocusReason);
    const std::vector<int> arrows{Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down};
    for (int k : arrows)
        QTest::keyClick(dxcc, Qt::Key(k));
    EXPECT_EQ(w.keys, arrows);
    EXPECT_TRUE(dxcc->hasFocus()); // the arrows did not move the focus
    QTest::keyClick(dxcc, Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
}
