// The key rule of the filtered boxes, through real key, paste and mouse
// events on real line edits: a refused edit leaves the box as it was and
// shows the sign; a cut is taken with the sign; keys after an automatic
// focus move never change the next box's value until the operator means it.
#include "platform/widgets/FilteredBox.h"

#include "platform/testing/QtTestApp.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using platform::EditVerdict;
using platform::FilteredBox;
using platform::refusalShown;

namespace {

// Digits only, at most 4: a longer edit is cut to 4.
EditVerdict quatreChiffres(const QString&, const QString& proposed)
{
    for (QChar c : proposed)
        if (!c.isDigit())
            return EditVerdict::refuse();
    return EditVerdict::accept(proposed.left(4));
}

class Regle : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::application();
        fenetre.resize(300, 200);
        a = new QLineEdit(&fenetre);
        b = new QLineEdit(&fenetre);
        b->move(0, 40);
        bouton = new QPushButton(QStringLiteral("O.K."), &fenetre);
        bouton->move(0, 80);
        FilteredBox::attach(a, dialogs, quatreChiffres);
        FilteredBox::attach(b, dialogs, quatreChiffres);
        fenetre.show();
        QApplication::setActiveWindow(&fenetre);
        a->setFocus();
    }
    // A full at 2 characters passes the focus on to `suivant`.
    void aPasseA(QWidget* suivant)
    {
        QObject::connect(a, &QLineEdit::textChanged, a, [this, suivant] {
            if (a->text().size() >= 2)
                platform::moveFocusOn(a, suivant);
        });
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    // Types key by key into whichever control has the focus, as a keyboard does.
    void tape(const char* touches)
    {
        for (const char* t = touches; *t; ++t)
            QTest::keyClick(focus(), *t);
    }

    QWidget fenetre;
    QLineEdit* a = nullptr;
    QLineEdit* b = nullptr;
    QPushButton* bouton = nullptr;
    platform::ScriptedDialogs dialogs;
};

struct CasEdition {
    const char* nom;
    const char* avant;
    int debut, longueur; // selection; longueur 0: the cursor at debut
    const char* touches; // typed; '<' Backspace, '~' Delete, '^' paste of `colle`
    const char* colle;
    const char* apres;
    int bips;
};

TEST_F(Regle, AnEditIsJudgedBeforeTheBoxTakesIt)
{
    const CasEdition cas[] = {
        {"refused key over a selection", "392", 0, 3, "x", "", "392", 1},
        {"refused key inside", "392", 1, 0, "x", "", "392", 1},
        {"paste ending in a refused character", "1500", 4, 0, "^", "12a", "1500", 1},
        {"key into a full box", "1500", 4, 0, "7", "", "1500", 1},
        {"paste cut to the maximum", "15", 2, 0, "^", "123", "1512", 1},
        {"accepted key", "12", 2, 0, "3", "", "123", 0},
        {"accepted key over a selection", "392", 0, 3, "5", "", "5", 0},
        {"Backspace and Delete", "392", 1, 0, "<~", "", "2", 0},
    };
    for (const CasEdition& c : cas) {
        SCOPED_TRACE(c.nom);
        a->setText(QString::fromLatin1(c.avant));
        a->setSelection(c.debut, c.longueur);
        if (c.longueur == 0)
            a->setCursorPosition(c.debut);
        QApplication::clipboard()->setText(QString::fromLatin1(c.colle));
        dialogs.clear();
        QSignalSpy changements(a, &QLineEdit::textChanged);
        QSignalSpy refus(FilteredBox::of(a), &FilteredBox::refused);
        for (const char* t = c.touches; *t; ++t) {
            if (*t == '<')
                QTest::keyClick(a, Qt::Key_Backspace);
            else if (*t == '~')
                QTest::keyClick(a, Qt::Key_Delete);
            else if (*t == '^')
                QTest::keyClick(a, Qt::Key_V, Qt::ControlModifier);
            else
                QTest::keyClick(a, *t);
        }
        QCoreApplication::processEvents(); // refused() comes once the edit is over
        EXPECT_EQ(a->text(), QString::fromLatin1(c.apres));
        EXPECT_EQ(dialogs.beeps(), c.bips);
        EXPECT_EQ(refus.count(), c.bips);
        EXPECT_EQ(refusalShown(a), c.bips > 0);
        if (a->text() == QString::fromLatin1(c.avant)) {
            // Left as it was: no change signal, the same cursor and selection.
            EXPECT_EQ(changements.count(), 0);
            EXPECT_EQ(a->selectionStart(), c.longueur ? c.debut : -1);
            EXPECT_EQ(a->selectedText().size(), c.longueur);
            if (c.longueur == 0) {
                EXPECT_EQ(a->cursorPosition(), c.debut);
            }
        }
    }
    // A text the program sets is the program's business: not judged.
    dialogs.clear();
    a->setText(QStringLiteral("abcdef"));
    EXPECT_EQ(a->text(), QStringLiteral("abcdef"));
    EXPECT_EQ(dialogs.beeps(), 0);
}

// The sign is drawn over the box, and goes at the operator's next key or
// mouse press; the same sign marks a part of any widget.
TEST_F(Regle, TheSignShowsUntilTheNextKeyOrClick)
{
    a->setText(QStringLiteral("12"));
    QTest::keyClick(a, 'x');
    ASSERT_TRUE(refusalShown(a));
    const QImage image = fenetre.grab().toImage();
    const QColor bord = image.pixelColor(a->geometry().topLeft() + QPoint(1, a->height() / 2));
    EXPECT_GT(bord.red(), 150);
    EXPECT_LT(bord.green(), 90);
    QTest::keyClick(a, '3');
    EXPECT_FALSE(refusalShown(a));
    EXPECT_EQ(a->text(), QStringLiteral("123"));

    QTest::keyClick(a, 'x');
    ASSERT_TRUE(refusalShown(a));
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_FALSE(refusalShown(a));

    // A key typed elsewhere hides it too; a second refusal shows it again.
    QTest::keyClick(a, 'x');
    QTest::keyClick(b, '5');
    EXPECT_FALSE(refusalShown(a));
    QTest::keyClick(a, 'x');
    EXPECT_TRUE(refusalShown(a));

    dialogs.clear();
    platform::signalRefusal(bouton, dialogs, QRect(2, 3, 10, 8));
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(refusalShown(bouton));
    EXPECT_EQ(bouton->findChild<QWidget*>(QStringLiteral("refusalSign"))->geometry(), QRect(2, 3, 10, 8));
}

// The keys that follow a focus move from a full box never replace, prefix,
// append to or empty the value the focus moved to.
TEST_F(Regle, KeysAfterAnAutomaticMoveKeepTheNextValue)
{
    aPasseA(b);
    b->setText(QStringLiteral("392"));
    QApplication::clipboard()->setText(QStringLiteral("7"));
    QTest::keyClicks(a, QStringLiteral("12"));
    ASSERT_EQ(focus(), b);
    EXPECT_FALSE(b->hasSelectedText());
    EXPECT_EQ(b->cursorPosition(), 3);
    EXPECT_TRUE(FilteredBox::of(b)->guarded());
    dialogs.clear();
    QTest::keyClicks(b, QStringLiteral("34"));
    QTest::keyClick(b, Qt::Key_Backspace);
    QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(b->text(), QStringLiteral("392"));
    EXPECT_EQ(a->text(), QStringLiteral("12"));
    EXPECT_EQ(dialogs.beeps(), 4);
    EXPECT_TRUE(refusalShown(b));

    // The operator's own cursor move says he means the box.
    QTest::keyClick(b, Qt::Key_Home);
    EXPECT_FALSE(FilteredBox::of(b)->guarded());
    QTest::keyClick(b, '1');
    EXPECT_EQ(b->text(), QStringLiteral("1392"));

    // So do a selection and a click.
    a->setText(QString());
    b->setText(QStringLiteral("392"));
    a->setFocus();
    QTest::keyClicks(a, QStringLiteral("12"));
    QTest::keyClick(b, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(b, '5');
    EXPECT_EQ(b->text(), QStringLiteral("5"));
    a->setText(QString());
    a->setFocus();
    QTest::keyClicks(a, QStringLiteral("12"));
    QTest::mouseClick(b, Qt::LeftButton);
    QTest::keyClick(b, '6');
    EXPECT_EQ(b->text().size(), 2);

    // An empty box takes the keys at once: an entry typed in one go.
    a->setText(QString());
    b->setText(QString());
    a->setFocus();
    dialogs.clear();
    tape("1234");
    EXPECT_EQ(a->text(), QStringLiteral("12"));
    EXPECT_EQ(b->text(), QStringLiteral("34"));
    EXPECT_EQ(dialogs.beeps(), 0);
}

// The habitual Tab right after the move is taken as done: it selects the
// value, which the next key then replaces; a second Tab moves on.
TEST_F(Regle, TheFirstTabAfterTheMoveSelectsTheValue)
{
    aPasseA(b);
    b->setText(QStringLiteral("0.8"));
    QTest::keyClicks(a, QStringLiteral("10"));
    ASSERT_EQ(focus(), b);
    QTest::keyClick(b, Qt::Key_Tab);
    EXPECT_EQ(focus(), b);
    EXPECT_EQ(b->selectedText(), QStringLiteral("0.8"));
    QTest::keyClick(b, '5');
    EXPECT_EQ(b->text(), QStringLiteral("5"));
    QTest::keyClick(b, Qt::Key_Tab);
    EXPECT_NE(focus(), b);
}

// A move to a button takes the first Tab as done, and the rest of what was
// typed into the full box does not press it: the first key that would is
// refused with the sign and one beep, characters typed on keep it so, and
// the next press acts. A text set by the program moves the focus plainly,
// and guards nothing.
TEST_F(Regle, AMoveToAButtonAndAMoveByTheProgram)
{
    aPasseA(bouton);
    QTest::keyClicks(a, QStringLiteral("12"));
    ASSERT_EQ(focus(), bouton);
    QTest::keyClick(bouton, Qt::Key_Tab);
    EXPECT_EQ(focus(), bouton);
    QTest::keyClick(bouton, Qt::Key_Tab);
    EXPECT_NE(focus(), bouton);

    bouton->setAutoDefault(true); // Return and Enter press it too
    QSignalSpy presse(bouton, &QPushButton::clicked);
    const struct {
        const char* nom;
        const char* apres; // typed after the move, before the key that presses
        Qt::Key touche;
        int bips;          // before the second press
    } cas[] = {
        {"Space at once", "", Qt::Key_Space, 1},
        {"Return at once", "", Qt::Key_Return, 1},
        {"Space after characters", "3x", Qt::Key_Space, 1},
        {"Space after Tab taken as done", "\t", Qt::Key_Space, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        a->clear();
        a->setFocus();
        presse.clear();
        QTest::keyClicks(a, QStringLiteral("12"));
        ASSERT_EQ(focus(), bouton);
        dialogs.clear();
        for (const char* t = c.apres; *t; ++t)
            QTest::keyClick(bouton, *t == '\t' ? Qt::Key_Tab : Qt::Key(QChar(*t).toUpper().unicode()));
        ASSERT_EQ(focus(), bouton);
        QTest::keyClick(bouton, c.touche);
        if (c.bips == 0) {
            EXPECT_EQ(presse.count(), 1);
            continue;
        }
        EXPECT_EQ(presse.count(), 0);
        EXPECT_TRUE(platform::refusalShown(bouton));
        EXPECT_EQ(dialogs.beeps(), c.bips);
        QTest::keyClick(bouton, c.touche); // seen the sign, he means it
        EXPECT_EQ(presse.count(), 1);
    }

    b->setText(QStringLiteral("392"));
    b->setFocus();
    platform::moveFocusOn(a, b); // a does not have the focus: not an automatic move
    EXPECT_FALSE(FilteredBox::of(b)->guarded());
    b->selectAll();
    QTest::keyClick(b, '7');
    EXPECT_EQ(b->text(), QStringLiteral("7"));
}

} // namespace
