#pragma once
// The main window "Selvane - Planner": menus and the row of image buttons.

#include <QMainWindow>
#include <array>

class Planner;
class QMenu;
namespace platform {
class ImageButton;
class MenuFamily;
} // namespace platform

class Form2 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form2(Planner& etat);

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
    std::array<int16_t, 4> FeuillesCachees{};

    void MenuFichier_Click(int index);
    void MenuSource_Click(int index);
    void MenuAffiche_Click(int index);
    void MenuPrintMoon_Click(int index);
    void MenuPrintComW_Click(int index);
    void ImgPrint_MouseDown();
    void ImgPrint_MouseUp();
    // Pictures of the three source buttons for menu item i.
    void PicturesSource(int i);
    void ChangeAffichage(bool parImgPrev);
    void RetourCarte();
    void Form_Resize();

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    Planner& etat_;
};
