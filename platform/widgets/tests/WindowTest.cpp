// Return on a focused push button presses it, everywhere in the application.
#include "platform/widgets/Window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

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
