#pragma once
// Pieces of the start window that every program builds its own
// FeuilleChoixFichier from: the start picture "logo.bmp", the 2-second hold
// of the picture, and the file list box with a fixed pattern.
//
// A program's start window typically does, on its first load:
//     placeCentredThird(this);                 // platform/Geometry.h
//     ImageLogo->load();                        // "logo.bmp" of the folder
//     ImageLogo->show(); ListeFichier->hide(); ... setWindowTitle(...);
//     holdStartPicture(this, clock);           // 2 s on the injected clock
//     ImageLogo->hide(); ListeFichier->show(); ... setWindowTitle(...);

#include <QLabel>
#include <QListWidget>
#include <QString>
#include <functional>

namespace platform {

class Clock;

// Image box that shows the start picture. Without a readable picture it
// shows an empty framed area of the same size, so the start window still
// comes up.
class LogoPicture : public QLabel {
    Q_OBJECT
public:
    explicit LogoPicture(QWidget* parent = nullptr);
    // Loads `name` from `folder` (name matched without regard to case, see
    // platform::resolvePath). Returns false, and shows the empty area, when
    // the file is missing or is not a picture. The widget takes the
    // picture's size; an empty area is 3000 x 2000 twips.
    bool load(const QString& folder = QString(), const QString& name = QStringLiteral("logo.bmp"));
    bool hasPicture() const { return hasPicture_; }

private:
    bool hasPicture_ = false;
};

// Shows `window` and keeps it on screen for `seconds` of the clock while
// window events keep running: t0 = the clock's seconds since midnight rounded
// to a whole second (halves to even); the hold lasts until the clock's
// seconds reach t0 + seconds, counting on across midnight. The window is
// shown again at every pass. With a ManualClock it returns at once (each
// wait advances the clock). Returns the number of passes (for tests).
int holdStartPicture(QWidget* window, Clock& clock, double seconds = 2.0);

// Turns the start window `window` from its picture to its chooser: the
// chooser's `title` first, then `showControls()` shows the controls (the
// file list taking the focus). A screen reader thus never reads the chooser
// under the picture's title; while the window is on screen the new title is
// said once, as a notice, before the focus lands in the list (a reader says
// a window's title when a window appears, not when it is renamed).
void showChooser(QWidget* window, const QString& title, const std::function<void()>& showControls);

// File list box with a fixed pattern, as the start windows' `ListeFichier`:
// the plain files of a folder whose names match the pattern without regard
// to case (platform::listFiles), sorted without regard to case. Nothing is
// selected after a refresh (listIndex() == -1).
//
// Single selection: a click on an entry (with or without Ctrl) leaves
// exactly that entry selected, and a click on the empty area below the
// entries changes nothing; the operator cannot take the selection away, only
// refresh() or setListIndex(-1) clear it.
//
// The list takes the keyboard focus whenever it is shown (its window opening,
// or the list appearing after the start picture), so the arrow keys choose a
// file at once; a program that wants another control focused (a one-click
// "home.dat" button) sets it after showing the window.
//
// A screen reader reads the list as "Files " and its pattern ("Files *.dat")
// until the program names it otherwise (setAccessibleName).
//
// Signals: click() when the operator selects an entry (mouse click, the
// arrow keys moving the selection, or a screen reader's "Toggle" or select
// action on an entry, which never takes the selection away either), never
// while nothing is selected;
// dblClick() on a double click of an entry. Setting listIndex from code
// emits nothing.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    // Pattern such as "*.dat"; default "*.*". Setting it refreshes the list.
    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }
    // Folder listed; default (empty) means the current folder at each refresh.
    void setPath(const QString& folder);
    QString path() const;

    // Re-reads the folder. The selection is cleared.
    void refresh();

    int listCount() const { return count(); }
    // Index of the selected entry, -1 when none.
    int listIndex() const;
    void setListIndex(int index); // -1 clears the selection
    // Entry i (0-based), "" outside the list.
    QString entry(int i) const;
    // Name of the selected entry, "" when none.
    QString fileName() const;

signals:
    void click();
    void dblClick();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    // A change of the selection that neither the mouse, the keys nor the
    // program made: an accessible action.
    void selectionChangedByAction(const QItemSelection& deselected);
    bool byOperatorOrProgram_ = false;
    QString pattern_ = QStringLiteral("*.*");
    QString folder_;
};

} // namespace platform
