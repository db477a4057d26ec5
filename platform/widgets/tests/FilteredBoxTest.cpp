// The key rule of the filtered boxes, through real key, paste and mouse
// events on real line edits: a refused edit leaves the box as it was and
// shows the sign; a cut is taken with the sign; keys after an automatic
// focus move never change the next box's value until the operator means it.
#include "platform/widgets/FilteredBox.h"

#include "platform/testing/QtTestApp.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/Window.h"

#include <QApplication>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
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

// Tab right after the move moves the focus on, as any Tab: counting Tabs
// by ear, the operator lands where he expects.
TEST_F(Regle, TabAfterTheMoveMovesOn)
{
    aPasseA(b);
    b->setText(QStringLiteral("0.8"));
    QTest::keyClicks(a, QStringLiteral("10"));
    ASSERT_EQ(focus(), b);
    QTest::keyClick(b, Qt::Key_Tab);
    EXPECT_EQ(focus(), bouton);
    EXPECT_EQ(b->text(), QStringLiteral("0.8"));
    EXPECT_FALSE(FilteredBox::of(b)->guarded());

    a->clear();
    a->setFocus();
    QObject::disconnect(a, &QLineEdit::textChanged, a, nullptr);
    aPasseA(bouton);
    QTest::keyClicks(a, QStringLiteral("12"));
    ASSERT_EQ(focus(), bouton);
    QTest::keyClick(bouton, Qt::Key_Tab);
    EXPECT_NE(focus(), bouton);
}

// A move to a button: the rest of what was typed into the full box does not
// press it, whatever the key (Space, Return, Enter) and whatever the button
// (not a default button; an image button), though the application turns
// Return on a focused button into a click: the first key that would press
// it is refused with the sign and one beep, characters typed on keep it so,
// and the next press acts. A text set by the program moves the focus
// plainly, and guards nothing.
TEST_F(Regle, AMoveToAButtonAndAMoveByTheProgram)
{
    platform::pressFocusedButtonOnReturn();
    auto* image = new platform::ImageButton(QPixmap(20, 20), QPixmap(20, 20), platform::ImageButton::Behaviour::ActOnce,
                                            &fenetre);
    image->move(0, 120);
    image->resize(20, 20);
    image->show();
    // An image button acts on keys once the keyboard moved the focus in its window.
    fenetre.setAttribute(Qt::WA_KeyboardFocusChange);
    ASSERT_FALSE(bouton->autoDefault() || bouton->isDefault());
    QSignalSpy presse(bouton, &QPushButton::clicked);
    QSignalSpy imagePressee(image, &platform::ImageButton::activated);
    const struct {
        const char* nom;
        QWidget* cible;
        QSignalSpy* pressions;
        const char* apres; // typed after the move, before the key that presses
        Qt::Key touche;
    } cas[] = {
        {"Space at once", bouton, &presse, "", Qt::Key_Space},
        {"Return at once", bouton, &presse, "", Qt::Key_Return},
        {"Enter at once", bouton, &presse, "", Qt::Key_Enter},
        {"Space after characters", bouton, &presse, "3x", Qt::Key_Space},
        {"Return after characters", bouton, &presse, "3x", Qt::Key_Return},
        {"Space on an image button", image, &imagePressee, "", Qt::Key_Space},
        {"Return on an image button", image, &imagePressee, "", Qt::Key_Return},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        QObject::disconnect(a, &QLineEdit::textChanged, a, nullptr);
        aPasseA(c.cible);
        a->clear();
        a->setFocus();
        c.pressions->clear();
        QTest::keyClicks(a, QStringLiteral("12"));
        ASSERT_EQ(focus(), c.cible);
        dialogs.clear();
        for (const char* t = c.apres; *t; ++t)
            QTest::keyClick(c.cible, Qt::Key(QChar(*t).toUpper().unicode()));
        ASSERT_EQ(focus(), c.cible);
        QTest::keyClick(c.cible, c.touche);
        EXPECT_EQ(c.pressions->count(), 0);
        EXPECT_TRUE(platform::refusalShown(c.cible));
        EXPECT_EQ(dialogs.beeps(), 1);
        QTest::keyClick(c.cible, c.touche); // seen the sign, he means it
        EXPECT_EQ(c.pressions->count(), 1);
    }

    b->setText(QStringLiteral("392"));
    b->setFocus();
    platform::moveFocusOn(a, b); // a does not have the focus: not an automatic move
    EXPECT_FALSE(FilteredBox::of(b)->guarded());
    b->selectAll();
    QTest::keyClick(b, '7');
    EXPECT_EQ(b->text(), QStringLiteral("7"));
}

// The context menu of `box`, opened from the keyboard (no mouse press), and
// its action whose caption starts with `caption`.
QAction* actionDuMenu(QLineEdit* box, const QString& caption)
{
    QContextMenuEvent ev(QContextMenuEvent::Keyboard, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(box, &ev);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return nullptr;
    for (QAction* act : menu->actions())
        if (act->text().startsWith(caption))
            return act;
    return nullptr;
}

void fermeLeMenu()
{
    if (QWidget* menu = QApplication::activePopupWidget())
        menu->close();
    QCoreApplication::processEvents();
}

// Undo and Redo give back the operator's own steps, one accepted edit each,
// as edits the filter judges: by the keys and by the context menu. A text
// the program sets leaves nothing to undo; a step the filter now refuses
// leaves the box as it was, with the sign.
TEST_F(Regle, UndoAndRedoAreEditsJudgedByTheFilter)
{
    bool verrou = false; // the filter refuses every edit while set
    QLineEdit* c = new QLineEdit(&fenetre);
    c->move(0, 160);
    c->show();
    FilteredBox::attach(c, dialogs, [&verrou](const QString& avant, const QString& propose) {
        return verrou ? EditVerdict::refuse() : quatreChiffres(avant, propose);
    });
    c->setText(QStringLiteral("32"));
    c->setFocus();
    c->end(false);
    QTest::keyClick(c, Qt::Key_Backspace);
    QTest::keyClick(c, '3');
    QTest::keyClick(c, '9');
    ASSERT_EQ(c->text(), QStringLiteral("339"));
    QSignalSpy changements(c, &QLineEdit::textChanged);
    dialogs.clear();
    const struct {
        Qt::Key touche;
        Qt::KeyboardModifiers modif;
        const char* apres;
    } pas[] = {
        {Qt::Key_Z, Qt::ControlModifier, "33"},
        {Qt::Key_Z, Qt::ControlModifier, "3"},
        {Qt::Key_Y, Qt::ControlModifier, "33"},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "339"},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "339"}, // nothing left to redo
        {Qt::Key_Z, Qt::ControlModifier, "33"},
        {Qt::Key_Z, Qt::ControlModifier, "3"},
        {Qt::Key_Z, Qt::ControlModifier, "32"},
        {Qt::Key_Z, Qt::ControlModifier, "32"}, // nothing left to undo
    };
    for (const auto& p : pas) {
        QTest::keyClick(c, p.touche, p.modif);
        EXPECT_EQ(c->text(), QString::fromLatin1(p.apres));
    }
    EXPECT_EQ(changements.count(), 7);
    EXPECT_EQ(dialogs.beeps(), 0);
    // A new edit ends what could be redone; the context menu undoes it.
    QTest::keyClick(c, '1');
    QAction* annuler = actionDuMenu(c, QLineEdit::tr("&Undo"));
    ASSERT_NE(annuler, nullptr);
    EXPECT_TRUE(annuler->isEnabled());
    annuler->trigger();
    fermeLeMenu();
    EXPECT_EQ(c->text(), QStringLiteral("32"));
    QAction* refaire = actionDuMenu(c, QLineEdit::tr("&Redo"));
    ASSERT_NE(refaire, nullptr);
    refaire->trigger();
    fermeLeMenu();
    EXPECT_EQ(c->text(), QStringLiteral("321"));

    // The filter refuses the step: the box, its cursor and selection stay.
    verrou = true;
    c->setSelection(1, 2);
    changements.clear();
    QTest::keyClick(c, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(c->text(), QStringLiteral("321"));
    EXPECT_EQ(c->selectedText(), QStringLiteral("21"));
    EXPECT_EQ(changements.count(), 0);
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(refusalShown(c));
    verrou = false;
    QTest::keyClick(c, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(c->text(), QStringLiteral("32"));

    // A text the program sets: nothing of before is undone.
    c->setText(QStringLiteral("77"));
    dialogs.clear();
    QTest::keyClick(c, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(c->text(), QStringLiteral("77"));
    EXPECT_EQ(dialogs.beeps(), 0);
    QAction* rien = actionDuMenu(c, QLineEdit::tr("&Undo"));
    ASSERT_NE(rien, nullptr);
    EXPECT_FALSE(rien->isEnabled());
    fermeLeMenu();
}

// After an automatic move, Undo and Redo never reach the next box's own
// earlier edit: refused with the sign while the box is guarded (the sign on a
// box that did not change), and nothing to undo once the operator means it.
TEST_F(Regle, UndoAfterAnAutomaticMoveNeverReachesAnEarlierEdit)
{
    aPasseA(b);
    b->setText(QStringLiteral("32"));
    b->setFocus();
    b->end(false);
    QTest::keyClick(b, Qt::Key_Backspace); // the operator's own correction, in two steps
    QTest::keyClick(b, '3');
    ASSERT_EQ(b->text(), QStringLiteral("33"));
    a->setFocus();
    QTest::keyClicks(a, QStringLiteral("12"));
    ASSERT_EQ(focus(), b);
    ASSERT_TRUE(FilteredBox::of(b)->guarded());
    const struct {
        const char* nom;
        Qt::Key touche;
        Qt::KeyboardModifiers modif;
    } touches[] = {
        {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier},
        {"Ctrl+Shift+Z", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {"Ctrl+Y", Qt::Key_Y, Qt::ControlModifier},
        {"Alt+Backspace", Qt::Key_Backspace, Qt::AltModifier},
    };
    QSignalSpy changements(b, &QLineEdit::textChanged);
    for (const auto& t : touches) {
        SCOPED_TRACE(t.nom);
        dialogs.clear();
        QTest::keyClick(b, t.touche, t.modif);
        EXPECT_EQ(b->text(), QStringLiteral("33"));
        EXPECT_EQ(b->cursorPosition(), 2);
        EXPECT_EQ(dialogs.beeps(), 1);
        EXPECT_TRUE(refusalShown(b));
    }
    EXPECT_EQ(changements.count(), 0);
    QAction* annuler = actionDuMenu(b, QLineEdit::tr("&Undo"));
    ASSERT_NE(annuler, nullptr);
    EXPECT_FALSE(annuler->isEnabled());
    annuler->trigger();
    fermeLeMenu();
    EXPECT_EQ(b->text(), QStringLiteral("33"));

    // The operator means the box: still nothing of before the move to undo.
    QTest::keyClick(b, Qt::Key_Home);
    ASSERT_FALSE(FilteredBox::of(b)->guarded());
    dialogs.clear();
    QTest::keyClick(b, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(b->text(), QStringLiteral("33"));
    EXPECT_EQ(dialogs.beeps(), 0);
    EXPECT_EQ(a->text(), QStringLiteral("12"));
}

} // namespace
