#pragma once
// The main window "Selvane - Planner": menus and the row of image buttons.
// Its handlers pass each action on to the program (planner::Commandes); the
// program sets its menus and buttons with Applique from its display value.

#include <QMainWindow>
#include <QPointer>

class QAction;
class QMenu;
namespace planner {
class Commandes;
struct EtatPrincipal;
} // namespace planner
namespace platform {
class ImageButton;
class MenuFamily;
} // namespace platform

class Form2 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form2(planner::Commandes& commandes);

    QMenu* MenuFichierP;
    QMenu* MenuSourceP;
    QMenu* MenuAfficheP;
    QMenu* MenuAboutP;
    platform::MenuFamily* MenuFichier;
    platform::MenuFamily* MenuSource;
    platform::MenuFamily* MenuAffiche;
    platform::MenuFamily* MenuAbout;
    platform::MenuFamily* MenuPrint;     // in the submenu of MenuAffiche(7)
    platform::MenuFamily* MenuPrintMoon; // in the submenu of MenuPrint(1)
    platform::MenuFamily* MenuPrintComW; // in the submenu of MenuPrint(2)
    QWidget* ZoneImage;
    platform::ImageButton *ImgNew, *ImgQuit, *ImgLune, *ImgSoleil, *ImgCiel, *ImgPrev, *ImgDX, *ImgPrint;
    // The key of ImgDX, back to the common-window map (Alt+Left), in every
    // window of the program: it clicks ImgDX, and acts while ImgDX can be
    // clicked.
    QAction* ToucheRetourCarte;

    // Menus, image buttons and print items as the program's display value says.
    void Applique(const planner::EtatPrincipal& e);

    void MenuFichier_Click(int index);
    void MenuSource_Click(int index);
    void MenuAffiche_Click(int index);
    void MenuPrintMoon_Click(int index);
    void MenuPrintComW_Click(int index);
    void ImgPrint_MouseDown();
    void ImgPrint_MouseUp();
    void Form_Resize();

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // Pictures of the three source buttons for Sources item i.
    void PicturesSource(int i);
    // "Sun chosen": the source in force as a notice says it; "" while the
    // focus is on its button.
    QString texteSource() const;
    planner::Commandes& commandes_;
    QPointer<QWidget> focusAvantCalcul_; // the button that had the focus when a computation began
};
