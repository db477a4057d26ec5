#include "platform/widgets/StartWindow.h"

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/widgets/ScreenReader.h"

#include <QAccessible>
#include <QDir>
#include <QImageReader>
#include <QKeyEvent>
#include <QPixmap>

#include <cmath>

namespace platform {

LogoPicture::LogoPicture(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::NoFrame);
}

bool LogoPicture::load(const QString& folder, const QString& name)
{
    const QString dir = folder.isEmpty() ? QDir::currentPath() : folder;
    QImageReader reader(resolvePath(dir, name));
    const QImage img = reader.read();
    hasPicture_ = !img.isNull();
    if (hasPicture_) {
        setFrameShape(QFrame::NoFrame);
        setPixmap(QPixmap::fromImage(img));
        setFixedSize(img.size());
    } else {
        clear();
        setFrameShape(QFrame::Box);
        setFixedSize(twipsToPixels(QSize(3000, 2000)));
    }
    return hasPicture_;
}

int holdStartPicture(QWidget* window, Clock& clock, double seconds)
{
    // t0 is a whole second, as the programs take it; the hold ends when the
    // clock reaches t0 + seconds. Across midnight the seconds start again at
    // 0, so an elapsed time far below zero is taken a day later. A clock
    // that does not move is left after the waits have added up to one
    // second more than the hold.
    const double t0 = std::nearbyint(clock.secondsSinceMidnight());
    const double step = 0.05;
    double waited = 0;
    int passes = 0;
    for (;;) {
        double elapsed = clock.secondsSinceMidnight() - t0;
        if (elapsed < -43200.0)
            elapsed += 86400.0;
        if (elapsed >= seconds || waited > seconds + 1.0)
            break;
        if (window)
            window->show();
        clock.wait(step);
        waited += step;
        ++passes;
    }
    return passes;
}

void showChooser(QWidget* window, const QString& title, const std::function<void()>& showControls)
{
    if (window) {
        window->setWindowTitle(title);
        if (window->isVisible() && QAccessible::isActive())
            announce(window, title);
    }
    if (showControls)
        showControls();
}

FileList::FileList(QWidget* parent) : QListWidget(parent)
{
    setAccessibleName(QStringLiteral("Files ") + pattern_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem*) {
        if (listIndex() >= 0)
            emit click();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { emit dblClick(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection&, const QItemSelection& deselected) {
                if (!byOperatorOrProgram_)
                    selectionChangedByAction(deselected);
            });
}

namespace {
// Marks a change of the selection made by the mouse, the keys or the program.
class Guard {
public:
    explicit Guard(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~Guard() { flag_ = before_; }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    bool& flag_;
    bool before_;
};
} // namespace

void FileList::selectionChangedByAction(const QItemSelection& deselected)
{
    if (listIndex() < 0) {
        // A toggle took the selection away: the entry stays selected, as a
        // click on it leaves it.
        if (deselected.indexes().isEmpty())
            return;
        const Guard g(byOperatorOrProgram_);
        setCurrentRow(deselected.indexes().first().row(), QItemSelectionModel::ClearAndSelect);
    } else {
        const Guard g(byOperatorOrProgram_);
        setCurrentRow(listIndex(), QItemSelectionModel::Current);
    }
    if (listIndex() >= 0)
        emit click();
}

bool FileList::viewportEvent(QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const Guard g(byOperatorOrProgram_);
        return QListWidget::viewportEvent(e);
    }
    default: return QListWidget::viewportEvent(e);
    }
}

void FileList::setPattern(const QString& pattern)
{
    if (accessibleName() == QStringLiteral("Files ") + pattern_)
        setAccessibleName(QStringLiteral("Files ") + pattern);
    pattern_ = pattern;
    refresh();
}

void FileList::setPath(const QString& folder)
{
    folder_ = folder;
    refresh();
}

QString FileList::path() const { return folder_.isEmpty() ? QDir::currentPath() : folder_; }

void FileList::refresh()
{
    const QSignalBlocker block(this);
    const Guard g(byOperatorOrProgram_);
    clear();
    addItems(listFiles(path(), pattern_));
    setCurrentRow(-1);
    clearSelection();
}

int FileList::listIndex() const
{
    const QList<QListWidgetItem*> sel = selectedItems();
    return sel.isEmpty() ? -1 : row(sel.first());
}

void FileList::setListIndex(int index)
{
    const QSignalBlocker block(this);
    const Guard g(byOperatorOrProgram_);
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

QString FileList::entry(int i) const
{
    const QListWidgetItem* it = item(i);
    return it ? it->text() : QString();
}

QString FileList::fileName() const { return entry(listIndex()); }

QItemSelectionModel::SelectionFlags FileList::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    // The operator never takes the selection away: a click on the empty area
    // below the entries changes nothing, and Ctrl+click (or Ctrl+Space),
    // which would deselect or toggle the entry, selects it alone instead.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    QItemSelectionModel::SelectionFlags f = QListWidget::selectionCommand(index, event);
    if (f & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        f = QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return f;
}

void FileList::showEvent(QShowEvent* e)
{
    QListWidget::showEvent(e);
    if (isEnabled())
        setFocus(Qt::OtherFocusReason);
}

void FileList::keyPressEvent(QKeyEvent* e)
{
    const int before = listIndex(), currentBefore = currentRow();
    const Guard g(byOperatorOrProgram_);
    QListWidget::keyPressEvent(e);
    // A move by the keys selects as a click does.
    if (currentRow() >= 0 && !currentItem()->isSelected())
        setCurrentRow(currentRow(), QItemSelectionModel::ClearAndSelect);
    if (listIndex() != before && listIndex() >= 0) {
        // The entry the key chose without moving to it (the only one, the
        // list taking the focus on it) is told to screen readers as a move.
        if (currentRow() == currentBefore) {
            QAccessibleEvent focus(this, QAccessible::Focus);
            focus.setChild(currentRow());
            QAccessible::updateAccessibility(&focus);
        }
        emit click();
    }
}

} // namespace platform
