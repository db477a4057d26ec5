#include "Planner/Form2.h"

#include "Planner/Commandes.h"
#include "Planner/Ecran.h"
#include "Planner/Pictures.h"
#include "platform/Geometry.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/ScreenReader.h"
#include "platform/widgets/Window.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>

Form2::Form2(planner::Commandes& commandes) : QMainWindow(nullptr), commandes_(commandes) {
    setWindowTitle(QStringLiteral("Selvane - Planner"));
    MenuFichierP = menuBar()->addMenu(QStringLiteral("&File"));
    MenuSourceP = menuBar()->addMenu(QStringLiteral("&Sources"));
    MenuAfficheP = menuBar()->addMenu(QStringLiteral("&Display"));
    MenuAboutP = menuBar()->addMenu(QStringLiteral("&About ..."));
    MenuFichier = new platform::MenuFamily(MenuFichierP, this);
    MenuFichier->load(1, QStringLiteral("New"));
    MenuFichier->load(2, QStringLiteral("-"));
    MenuFichier->load(3, QStringLiteral("Quit"));
    MenuSource = new platform::MenuFamily(MenuSourceP, this);
    for (int i = 0; i < 10; ++i) {
        MenuSource->load(i, QString::fromLatin1(planner::Sources[i].caption));
        if (MenuSource->action(i))
            MenuSource->action(i)->setCheckable(i != 7);
    }
    MenuSource->setChecked(0, true);
    MenuAffiche = new platform::MenuFamily(MenuAfficheP, this);
    MenuAffiche->load(1, QStringLiteral("General Setup"));
    MenuAffiche->load(2, QStringLiteral("-"));
    MenuAffiche->load(3, QStringLiteral("Save screen"));
    MenuAffiche->load(4, QStringLiteral("-"));
    MenuAffiche->load(5, QStringLiteral("Common Window"));
    MenuAffiche->load(6, QStringLiteral("-"));
    QMenu* print = MenuAffiche->loadSubmenu(7, QStringLiteral("Print..."));
    MenuPrint = new platform::MenuFamily(print, this);
    MenuPrintMoon = new platform::MenuFamily(MenuPrint->loadSubmenu(1, QStringLiteral("Moon position")), this);
    MenuPrintMoon->load(1, QStringLiteral("All windows"));
    MenuPrintComW = new platform::MenuFamily(MenuPrint->loadSubmenu(2, QStringLiteral("Common windows")), this);
    MenuPrintComW->load(1, QStringLiteral("All windows"));
    MenuPrint->setEnabled(1, false);
    MenuPrint->setEnabled(2, false);
    MenuAbout = new platform::MenuFamily(MenuAboutP, this);
    const char* about[7] = {"Selvane V4.3.08", "    (32 bits version)", "      For Windows", "-", "      Planner App.", "-",
                            "      Qt 6 edition"};
    for (int i = 0; i < 7; ++i)
        MenuAbout->load(i, QString::fromLatin1(about[i]));

    ZoneImage = new QWidget(this);
    setCentralWidget(ZoneImage);
    auto bouton = [this](const char* nom, const char* s, int left, platform::ImageButton::Behaviour b) {
        auto* ib = new platform::ImageButton(pictures::bouton(s, false), pictures::bouton(s, true), b, ZoneImage);
        ib->setObjectName(QLatin1String(nom));
        platform::setTwipsGeometry(ib, left, 60, 360, 330);
        return ib;
    };
    using B = platform::ImageButton::Behaviour;
    ImgNew = bouton("ImgNew", "new", 120, B::ActOnce);
    ImgQuit = bouton("ImgQuit", "quit", 480, B::ActOnce);
    ImgLune = bouton("ImgLune", "moon", 960, B::Manual);
    ImgSoleil = bouton("ImgSoleil", "sun", 1320, B::Manual);
    ImgCiel = bouton("ImgCiel", "sky", 1680, B::Manual);
    ImgPrev = bouton("ImgPrev", "prev", 2160, B::Manual);
    ImgDX = bouton("ImgDX", "dx", 2520, B::ActOnce);
    ImgPrint = bouton("ImgPrint", "print", 3000, B::Manual);
    ImgLune->showPressed();
    ImgDX->hide();
    platform::resizeClientTwips(this, 3480, 450 + platform::pixelsToTwips(menuBar()->sizeHint().height()));
    // Smaller, the row of image buttons would be cut.
    setMinimumSize(size());

    connect(MenuFichier, &platform::MenuFamily::clicked, this, &Form2::MenuFichier_Click);
    connect(MenuSource, &platform::MenuFamily::clicked, this, &Form2::MenuSource_Click);
    connect(MenuAffiche, &platform::MenuFamily::clicked, this, &Form2::MenuAffiche_Click);
    connect(MenuPrintMoon, &platform::MenuFamily::clicked, this, &Form2::MenuPrintMoon_Click);
    connect(MenuPrintComW, &platform::MenuFamily::clicked, this, &Form2::MenuPrintComW_Click);
    connect(ImgNew, &platform::ImageButton::activated, this, [this] { MenuFichier_Click(1); });
    connect(ImgQuit, &platform::ImageButton::activated, this, [this] { MenuFichier_Click(3); });
    const std::pair<platform::ImageButton*, int> sources[3] = {{ImgLune, 0}, {ImgSoleil, 1}, {ImgCiel, 9}};
    for (auto [b, i] : sources) {
        connect(b, &platform::ImageButton::mouseDown, this, [this, i = i] {
            if (!MenuSource->checked(i))
                PicturesSource(i);
        });
        connect(b, &platform::ImageButton::mouseUp, this, [this, i = i] {
            if (!MenuSource->checked(i))
                MenuSource_Click(i);
        });
    }
    // The press acts (the release does nothing more).
    connect(ImgPrev, &platform::ImageButton::mouseDown, this, [this] { commandes_.ChangeAffichage(true); });
    connect(ImgDX, &platform::ImageButton::activated, this, [this] { commandes_.RetourCarte(); });
    connect(ImgPrint, &platform::ImageButton::mouseDown, this, &Form2::ImgPrint_MouseDown);
    connect(ImgPrint, &platform::ImageButton::mouseUp, this, &Form2::ImgPrint_MouseUp);
    ToucheRetourCarte = new QAction(this);
    ToucheRetourCarte->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    ToucheRetourCarte->setShortcutContext(Qt::ApplicationShortcut);
    ToucheRetourCarte->setEnabled(false);
    addAction(ToucheRetourCarte);
    connect(ToucheRetourCarte, &QAction::triggered, ImgDX, &platform::ImageButton::click);

    // The source buttons and ImgPrev are read as on (checked) while they show
    // their pressed picture: the current source, the common-window display.
    for (platform::ImageButton* b : {ImgLune, ImgSoleil, ImgCiel}) {
        b->setShowsState(true, platform::ImageButton::StateKind::OneOfMany);
        b->setSaysStateChanges(false); // MenuSource_Click says the source chosen
    }
    ImgPrev->setShowsState(true);
    platform::nameControls({
        {ImgNew, QStringLiteral("New")},
        {ImgQuit, QStringLiteral("Quit")},
        {ImgLune, QStringLiteral("Moon")},
        {ImgSoleil, QStringLiteral("Sun")},
        {ImgCiel, QStringLiteral("Cold Sky")},
        {ImgPrev, QStringLiteral("Common Window")},
        {ImgDX, QStringLiteral("Back to the common-window map")},
        {ImgPrint, QStringLiteral("Print the tables")},
    });
    ImgDX->setAccessibleDescription(ToucheRetourCarte->shortcut().toString(QKeySequence::NativeText));
}

void Form2::MenuFichier_Click(int index) {
    if (index == 1)
        commandes_.Nouveau();
    else if (index == 3)
        commandes_.Quitter();
}

void Form2::PicturesSource(int i) {
    const std::pair<platform::ImageButton*, int> boutons[3] = {{ImgLune, 0}, {ImgSoleil, 1}, {ImgCiel, 9}};
    for (auto [b, k] : boutons)
        if (b->isPressedShown() != (i == k))
            i == k ? b->showPressed() : b->showReleased();
}

void Form2::MenuSource_Click(int i) {
    const platform::ChangeNotice dit(this, [this] { return texteSource(); });
    commandes_.ChoixSource(i);
}

QString Form2::texteSource() const {
    // The source button that has the focus is read with its new state by
    // the screen reader itself.
    for (const platform::ImageButton* b : {ImgLune, ImgSoleil, ImgCiel})
        if (b->hasFocus() && b->isPressedShown())
            return QString();
    for (int i = 0; i < 10; ++i)
        if (MenuSource->checked(i))
            return platform::withoutMnemonics(MenuSource->caption(i)) + QStringLiteral(" chosen");
    return QString();
}

void Form2::MenuAffiche_Click(int index) {
    if (index == 1)
        commandes_.ConfigurationGenerale();
    else if (index == 3)
        commandes_.SauveEcran();
    else if (index == 5)
        commandes_.ChangeAffichage(false);
}

void Form2::MenuPrintMoon_Click(int index) { commandes_.ImprimeLune(index); }

void Form2::MenuPrintComW_Click(int index) { commandes_.ImprimeCommun(index); }

void Form2::ImgPrint_MouseDown() {
    if (ImgPrint->isEnabled())
        ImgPrint->showPressed();
}

void Form2::ImgPrint_MouseUp() {
    if (!ImgPrint->isEnabled())
        return;
    ImgPrint->showReleased();
    commandes_.ImprimeTout();
}

namespace {
// The day items k + 2 of a print submenu, as `jours` lists them; item 1
// ("All windows") stays.
void articlesJours(platform::MenuFamily* m, const std::vector<std::pair<int, QString>>& jours) {
    size_t j = 0;
    for (int i = 2; i <= std::max(m->uBound(), jours.empty() ? 0 : jours.back().first); ++i) {
        if (j < jours.size() && jours[j].first == i) {
            if (!m->exists(i))
                m->load(i, jours[j].second);
            else
                m->setCaption(i, jours[j].second);
            ++j;
        } else if (m->exists(i)) {
            m->unload(i);
        }
    }
}
} // namespace

void Form2::Applique(const planner::EtatPrincipal& e) {
    for (QMenu* m : {MenuFichierP, MenuSourceP, MenuAboutP})
        platform::setMenuEnabled(m, e.menus);
    platform::setMenuEnabled(MenuAfficheP, e.menuAffiche);
    // A computation switches the buttons off, and Qt takes the focus from
    // the one that held it, to nowhere: it has the focus back when they come
    // on again, unless the operator has put it elsewhere meanwhile.
    if (!e.menus && ZoneImage->isEnabled() && ZoneImage->isAncestorOf(focusWidget()))
        focusAvantCalcul_ = focusWidget();
    ZoneImage->setEnabled(e.menus);
    if (e.menus && focusAvantCalcul_) {
        if (!focusWidget() && focusAvantCalcul_->isVisible())
            focusAvantCalcul_->setFocus(Qt::OtherFocusReason);
        focusAvantCalcul_ = nullptr;
    }
    // Switching a menu on also switches its submenus' items on: the items
    // are set after it.
    MenuAffiche->setCaption(5, e.versCommun ? QStringLiteral("Common Window") : QStringLiteral("Moon Location"));
    MenuAffiche->setEnabled(5, e.bascule);
    if (ImgPrev->isPressedShown() == e.versCommun)
        e.versCommun ? ImgPrev->showReleased() : ImgPrev->showPressed();
    ImgDX->setVisible(e.imgDX);
    ToucheRetourCarte->setEnabled(e.imgDX && e.menus);
    // A button that cannot act is off, drawn so and refused by every path.
    ImgPrev->setEnabled(e.bascule);
    ImgPrint->setEnabled(e.imgPrint);
    articlesJours(MenuPrintMoon, e.joursLune);
    articlesJours(MenuPrintComW, e.joursCommuns);
    MenuPrint->setEnabled(1, e.imprimeLune);
    MenuPrint->setEnabled(2, e.imprimeCommun);
    MenuAffiche->setEnabled(7, e.imprimable);
    for (int k = 0; k < 10; ++k)
        if (k != 7)
            MenuSource->setChecked(k, k == e.indexSource);
    PicturesSource(e.indexSource);
}

void Form2::closeEvent(QCloseEvent* e) {
    e->ignore();
    commandes_.Quitter();
}

void Form2::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Form2::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void Form2::Form_Resize() { commandes_.EtatFenetrePrincipale(isMinimized()); }
