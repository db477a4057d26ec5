#include "platform/widgets/Grid.h"

#include "platform/Geometry.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>
#include <utility>

using platform::Grid;

namespace {

const QChar TAB(9);
const QChar CR(13);

// A 5 x 4 grid whose cell (r, c) holds "rc".
void fill(Grid& g)
{
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            g.setTextMatrix(r, c, QString::number(r) + QString::number(c));
}

void select(Grid& g, int r0, int r1, int c0, int c1)
{
    g.setSelStartRow(r0);
    g.setSelEndRow(r1);
    g.setSelStartCol(c0);
    g.setSelEndCol(c1);
}

QString tabbed(std::initializer_list<const char*> rows)
{
    QStringList out;
    for (const char* r : rows)
        out << QString::fromLatin1(r).replace('|', TAB);
    return out.join(CR);
}

} // namespace

struct ClipReadCase {
    int r0, r1, c0, c1;
    QString expected;
};

TEST(Grid, ClipReadsTheSelectionTabAndCrSeparated)
{
    const ClipReadCase cases[] = {
        {1, 1, 2, 2, "12"},                              // one cell
        {2, 2, 0, 3, tabbed({"20|21|22|23"})},           // one row, fixed row not involved
        {0, 0, 0, 3, tabbed({"00|01|02|03"})},           // the title row itself
        {1, 3, 1, 2, tabbed({"11|12", "21|22", "31|32"})}, // a block
        {3, 1, 2, 1, tabbed({"11|12", "21|22", "31|32"})}, // ends given in reverse order
    };
    for (const auto& k : cases) {
        Grid g(5, 4);
        fill(g);
        select(g, k.r0, k.r1, k.c0, k.c1);
        EXPECT_EQ(g.clip(), k.expected) << k.r0 << k.r1 << k.c0 << k.c1;
    }
}

struct ClipWriteCase {
    const char* name;
    int r0, r1, c0, c1;
    QString text;
    std::vector<std::tuple<int, int, QString>> cells; // expected after the write
};

TEST(Grid, ClipWritesIntoTheSelectionOnly)
{
    const ClipWriteCase cases[] = {
        {"full row", 1, 1, 0, 3, tabbed({"a|b|c|d"}), {{1, 0, "a"}, {1, 3, "d"}, {2, 0, "20"}}},
        {"more parts than cells are dropped", 1, 1, 0, 1, tabbed({"a|b|c"}), {{1, 1, "b"}, {1, 2, "12"}}},
        {"fewer parts keep the rest", 1, 1, 0, 3, tabbed({"a|b"}), {{1, 1, "b"}, {1, 2, "12"}, {1, 3, "13"}}},
        {"rows by CR", 1, 2, 1, 2, tabbed({"a|b", "c|d"}), {{1, 1, "a"}, {2, 2, "d"}, {3, 1, "31"}}},
        {"CR LF and LF also end rows", 1, 3, 0, 0, QStringLiteral("x\r\ny\nz"), {{1, 0, "x"}, {2, 0, "y"}, {3, 0, "z"}}},
        {"extra rows dropped", 1, 1, 0, 0, tabbed({"x", "y"}), {{1, 0, "x"}, {2, 0, "20"}}},
        {"empty parts empty the cells", 1, 1, 0, 2, tabbed({"||z"}), {{1, 0, ""}, {1, 1, ""}, {1, 2, "z"}}},
    };
    for (const auto& k : cases) {
        Grid g(5, 4);
        fill(g);
        select(g, k.r0, k.r1, k.c0, k.c1);
        g.setClip(k.text);
        for (const auto& [r, c, want] : k.cells)
            EXPECT_EQ(g.textMatrix(r, c), want) << k.name << " cell " << r << "," << c;
    }
}

TEST(Grid, RowsAndColsCanBeRaisedAndLowered)
{
    Grid g(3, 2);
    fill(g);
    g.setRows(6);
    EXPECT_EQ(g.rows(), 6);
    EXPECT_EQ(g.textMatrix(2, 1), "21");
    EXPECT_EQ(g.textMatrix(5, 1), "");
    g.setRows(2);
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.textMatrix(2, 1), ""); // outside now
    g.setRows(0);                      // never below the fixed row
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.textMatrix(0, 1), "01");
    g.setCols(5);
    EXPECT_EQ(g.cols(), 5);
    EXPECT_EQ(g.table()->model()->columnCount(), 5);
}

TEST(Grid, CurrentCellTextAndSelectionCollapse)
{
    Grid g(5, 4);
    fill(g);
    g.setRow(3);
    g.setCol(2);
    EXPECT_EQ(g.text(), "32");
    g.setText("new");
    EXPECT_EQ(g.textMatrix(3, 2), "new");
    // The current cell is the selection until the selection is set.
    EXPECT_EQ(g.selStartRow(), 3);
    EXPECT_EQ(g.selEndCol(), 2);
    EXPECT_EQ(g.clip(), "new");
    // Row 0 (titles) may be current.
    g.setRow(0);
    EXPECT_EQ(g.text(), "02");
    // Out of range: ignored.
    g.setRow(5);
    g.setCol(-1);
    EXPECT_EQ(g.row(), 0);
    EXPECT_EQ(g.col(), 2);
}

struct AddItemCase {
    const char* name;
    int index;
    QString text;
    bool ok;
    int rows;
    std::vector<QString> col0; // column 0 of every row after the call
    QString row2;              // clip of row 2 after the call
};

TEST(Grid, AddItemAndRemoveItem)
{
    const AddItemCase cases[] = {
        {"insert before row 1", 1, tabbed({"a|b|c"}), true, 5, {"00", "a", "10", "20", "30"}, tabbed({"10|11|12"})},
        {"insert in the middle", 2, tabbed({"a|b"}), true, 5, {"00", "10", "a", "20", "30"}, tabbed({"a|b|"})},
        {"append with -1", -1, tabbed({"a"}), true, 5, {"00", "10", "20", "30", "a"}, tabbed({"20|21|22"})},
        {"append at rows()", 4, tabbed({"a|b|c|d|e"}), true, 5, {"00", "10", "20", "30", "a"}, tabbed({"20|21|22"})},
        {"not into the fixed row", 0, tabbed({"a"}), false, 4, {"00", "10", "20", "30"}, tabbed({"20|21|22"})},
        {"not past the end", 5, tabbed({"a"}), false, 4, {"00", "10", "20", "30"}, tabbed({"20|21|22"})},
    };
    for (const auto& k : cases) {
        Grid g(4, 3);
        fill(g);
        EXPECT_EQ(g.addItem(k.text, k.index), k.ok) << k.name;
        ASSERT_EQ(g.rows(), k.rows) << k.name;
        for (int r = 0; r < g.rows(); ++r)
            EXPECT_EQ(g.textMatrix(r, 0), k.col0[size_t(r)]) << k.name << " row " << r;
        select(g, 2, 2, 0, 2);
        EXPECT_EQ(g.clip(), k.row2) << k.name;
    }

    Grid g(4, 3);
    fill(g);
    EXPECT_FALSE(g.removeItem(0)); // the title row stays
    EXPECT_FALSE(g.removeItem(4));
    g.setRow(3);
    EXPECT_TRUE(g.removeItem(1));
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.textMatrix(1, 0), "20");
    EXPECT_EQ(g.row(), 2); // the current row stays within the grid
    EXPECT_TRUE(g.removeItem(1));
    EXPECT_TRUE(g.removeItem(1));
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.row(), 0);
}

TEST(Grid, TitleRowWidthsAndAlignmentReachTheView)
{
    Grid g(3, 3);
    g.setTextMatrix(0, 1, "Azim");
    g.setColWidth(1, 1600);
    g.setColAlignment(1, 1);
    g.setFixedAlignment(1, 2);
    g.setTextMatrix(1, 1, "12.5");
    QTableView* t = g.table();
    QAbstractItemModel* m = t->model();
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "Azim");
    EXPECT_EQ(t->columnWidth(1), platform::twipsToPixels(1600));
    EXPECT_EQ(g.colWidth(1), 1600);
    auto alignment = [](const QVariant& v) { return Qt::Alignment(v.toInt()) & Qt::AlignHorizontal_Mask; };
    EXPECT_EQ(alignment(m->index(0, 1).data(Qt::TextAlignmentRole)), Qt::AlignRight);
    EXPECT_EQ(alignment(m->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole)), Qt::AlignHCenter);
    // Cells written after the alignment was set take it too.
    g.setTextMatrix(2, 1, "x");
    EXPECT_EQ(alignment(m->index(1, 1).data(Qt::TextAlignmentRole)), Qt::AlignRight);
}

TEST(Grid, FixedColumnKeepsTextsAndNumbering)
{
    Grid g(3, 3);
    fill(g);
    g.setFixedCols(1);
    EXPECT_EQ(g.cols(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(g.textMatrix(r, c), QString::number(r) + QString::number(c));
    EXPECT_EQ(g.table()->model()->headerData(1, Qt::Vertical).toString(), "20");
    EXPECT_TRUE(g.addItem(tabbed({"a|b|c"}), 1));
    EXPECT_EQ(g.textMatrix(1, 0), "a");
    EXPECT_EQ(g.textMatrix(1, 2), "c");
}

// A cell's place in the view (a sign drawn over one cell needs it); fixed
// cells and cells outside have none.
TEST(Grid, CellRectIsTheCellInTheView)
{
    Grid g(4, 3);
    g.setFixedCols(1);
    g.resize(400, 300);
    g.show();
    QTableView* t = g.table();
    EXPECT_EQ(g.cellRect(2, 1), t->visualRect(t->model()->index(1, 0)));
    EXPECT_FALSE(g.cellRect(2, 1).isEmpty());
    EXPECT_TRUE(g.cellRect(2, 1).contains(g.cellRect(2, 1).center()));
    EXPECT_LT(g.cellRect(1, 1).top(), g.cellRect(2, 1).top());
    EXPECT_LT(g.cellRect(2, 1).left(), g.cellRect(2, 2).left());
    for (auto [r, c] : {std::pair{0, 1}, {2, 0}, {4, 1}, {2, 3}, {-1, 1}})
        EXPECT_TRUE(g.cellRect(r, c).isEmpty()) << r << ',' << c;
}

TEST(Grid, TopRowScrolls)
{
    Grid g(40, 2);
    g.resize(200, platform::twipsToPixels(240) * 8);
    g.show();
    EXPECT_EQ(g.topRow(), 1);
    g.setTopRow(20);
    EXPECT_EQ(g.topRow(), 20);
    g.setTopRow(0); // a fixed row cannot be scrolled to
    EXPECT_EQ(g.topRow(), 20);
}

TEST(Grid, ClicksAndKeysMoveTheCurrentCellAndReportKeys)
{
    Grid g(5, 3);
    fill(g);
    g.resize(400, 300);
    g.show();
    QSignalSpy clicks(&g, &Grid::click);
    QSignalSpy dbl(&g, &Grid::dblClick);
    QSignalSpy keys(&g, &Grid::keyPress);
    QTableView* t = g.table();
    const QRect cell = t->visualRect(t->model()->index(2, 1)); // grid row 3, col 1
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(g.row(), 3);
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(dbl.count(), 1);

    // Keys: the grid edits nothing itself; it reports each character and
    // only the control characters Backspace, Enter and Escape. The texts are
    // those X11 delivers with the keys (Delete carries 127).
    struct Typed {
        Qt::Key key;
        QString text;
        Qt::KeyboardModifiers mods;
        int code; // -1: nothing reported
    };
    const Typed typed[] = {
        {Qt::Key_5, "5", {}, 53},
        {Qt::Key_Plus, "+", {}, 43},
        {Qt::Key_Minus, "-", {}, 45},
        {Qt::Key_Period, ".", {}, 46},
        {Qt::Key_A, "a", {}, 97},
        {Qt::Key_Eacute, QString(QChar(0xE9)), {}, 0xE9},
        {Qt::Key_5, "5", Qt::KeypadModifier, 53},
        {Qt::Key_Backspace, QString(QChar(8)), {}, 8},
        {Qt::Key_Return, QString(QChar(13)), {}, 13},
        {Qt::Key_Enter, QString(QChar(13)), Qt::KeypadModifier, 13},
        {Qt::Key_Escape, QString(QChar(27)), {}, 27},
        {Qt::Key_Delete, QString(QChar(127)), {}, -1},
        {Qt::Key_Delete, QString(QChar(127)), Qt::KeypadModifier, -1},
        {Qt::Key_unknown, QString(QChar(0x1F)), {}, -1},
        {Qt::Key_unknown, QString(QChar(0x85)), {}, -1}, // a C1 control character
        {Qt::Key_Insert, "", {}, -1},
        {Qt::Key_F1, "", {}, -1},
        {Qt::Key_C, QString(QChar(3)), Qt::ControlModifier, -1},
        {Qt::Key_V, QString(QChar(22)), Qt::ControlModifier, 22}, // a paste, for the program to judge
        {Qt::Key_X, "x", Qt::AltModifier, -1},
    };
    for (const auto& k : typed) {
        keys.clear();
        QTest::sendKeyEvent(QTest::Click, t, k.key, k.text, k.mods);
        if (k.code < 0) {
            EXPECT_EQ(keys.count(), 0) << k.key << " " << k.text.toStdString();
        } else {
            ASSERT_EQ(keys.count(), 1) << k.code;
            EXPECT_EQ(keys.at(0).at(0).toInt(), k.code);
        }
        // No key moves the current cell or edits it.
        EXPECT_EQ(g.row(), 3) << k.key;
        EXPECT_EQ(g.col(), 1) << k.key;
    }
    EXPECT_EQ(g.text(), "31");
    QTest::keyClick(t, Qt::Key_Down);
    EXPECT_EQ(g.row(), 4);
    QTest::keyClick(t, Qt::Key_Up);
    QTest::keyClick(t, Qt::Key_Up);
    QTest::keyClick(t, Qt::Key_Up);
    EXPECT_EQ(g.row(), 1); // the title row is not reached by the keys
}

TEST(Grid, RowHighlightSelectsTheWholeRow)
{
    Grid g(4, 3);
    fill(g);
    g.setRowHighlight(true);
    g.setRow(2);
    EXPECT_EQ(g.selStartCol(), 0);
    EXPECT_EQ(g.selEndCol(), 2);
    EXPECT_EQ(g.clip(), tabbed({"20|21|22"}));
    EXPECT_EQ(g.table()->selectionModel()->selectedIndexes().size(), 3);
}

namespace {

// The pixels of grid cell (r, c) as the view draws them now.
QImage cellImage(Grid& g, int r, int c)
{
    QTableView* t = g.table();
    const QRect rect = t->visualRect(t->model()->index(r - g.fixedRows(), c - g.fixedCols()));
    return t->viewport()->grab(rect).toImage();
}

} // namespace

namespace {

// A shown window holding a grid filled by fill() and, below it, a line edit
// to take the focus from the grid.
struct GridAndEdit {
    QWidget window;
    Grid* g;
    QLineEdit* edit;
    GridAndEdit(int rows, int cols, int width, int height)
        : g(new Grid(rows, cols, &window)), edit(new QLineEdit(&window))
    {
        fill(*g);
        g->setGeometry(0, 0, width, height);
        edit->setGeometry(0, height + 10, 100, 20);
        window.resize(width, height + 40);
    }
};

} // namespace

struct MarkCase {
    const char* name;
    bool click;          // move there by a real click, else by setRow / setCol
    int r1, c1;          // a multi-cell selection to set afterwards (-1: none)
    bool rowHighlight;
};

// The current cell is always marked, whether or not the grid has the focus;
// a selection of several cells is highlighted as well.
TEST(Grid, CurrentCellIsMarkedWithOrWithoutFocus)
{
    const MarkCase cases[] = {
        {"clicked, single cell", true, -1, -1, false},
        {"from code, single cell", false, -1, -1, false},
        {"several cells selected", true, 3, 2, false},
        {"row highlight", true, -1, -1, true},
    };
    for (const auto& k : cases) {
        GridAndEdit w(5, 3, 400, 200);
        Grid* g = w.g;
        w.window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window)) << k.name;
        g->setRowHighlight(k.rowHighlight);
        g->setRow(1);
        g->setCol(0);
        // The cells drawn neither current nor selected.
        const QImage plain = cellImage(*g, 2, 1);
        const int sr = k.rowHighlight ? 2 : 3, sc = 2; // a further selected cell
        const QImage plainSelected = cellImage(*g, sr, sc);

        QTableView* t = g->table();
        if (k.click) {
            const QRect cell = t->visualRect(t->model()->index(1, 1));
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell.center());
        } else {
            g->setRow(2);
            g->setCol(1);
        }
        ASSERT_EQ(g->row(), 2) << k.name;
        ASSERT_EQ(g->col(), 1) << k.name;
        if (k.r1 >= 0) {
            g->setSelEndRow(k.r1);
            g->setSelEndCol(k.c1);
        }
        for (bool focus : {true, false}) {
            if (focus)
                t->setFocus();
            else
                w.edit->setFocus();
            QApplication::processEvents();
            const QImage current = cellImage(*g, 2, 1);
            EXPECT_TRUE(current != plain) << k.name << (focus ? " with focus" : " without focus");
            const bool several = k.r1 >= 0 || k.rowHighlight;
            EXPECT_EQ(cellImage(*g, sr, sc) != plainSelected, several)
                << k.name << (focus ? " with focus" : " without focus");
        }
        EXPECT_FALSE(t->hasFocus()) << k.name;
    }
}

namespace {

// Counts the paint events of one widget.
struct PaintCount : QObject {
    explicit PaintCount(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        n += e->type() == QEvent::Paint;
        return false;
    }
    int n = 0;
};

// Has `window` paint what is waiting to be painted, now.
void paintPending(QWidget& window)
{
    QApplication::processEvents();
    QEvent request(QEvent::UpdateRequest);
    QApplication::sendEvent(&window, &request);
}

} // namespace

// The grid looks the same with or without the focus and in an active or an
// inactive window, so none of these changes paints it again (a table window
// shown over another, or left for it, costs no second paint).
TEST(Grid, FocusAndActivationLeaveItsLookAndPaintNothing)
{
    GridAndEdit w(6, 3, 300, 120);
    Grid* g = w.g;
    QWidget& window = w.window;
    QLineEdit* edit = w.edit;
    QWidget other;
    other.resize(100, 50);
    g->setRow(2);
    g->setCol(1);
    window.show();
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    QTableView* t = g->table();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    t->setFocus();
    paintPending(window);
    const QImage look = g->grab().toImage();

    PaintCount paints(t->viewport());
    t->viewport()->update(); // the count sees a paint that is due
    paintPending(window);
    ASSERT_EQ(paints.n, 1);
    paints.n = 0;
    edit->setFocus();
    paintPending(window);
    t->setFocus();
    paintPending(window);
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    paintPending(window);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    paintPending(window);
    EXPECT_EQ(paints.n, 0);

    edit->setFocus();
    EXPECT_EQ(g->grab().toImage(), look) << "without the focus";
    t->setFocus();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(g->grab().toImage(), look) << "in an inactive window";
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(t->hasFocus());
    EXPECT_EQ(g->row(), 2);
    EXPECT_EQ(g->col(), 1);
}

// Apart from the mark of the current cell, the cells look as the style's own
// item delegate draws them: alignments, a selection, long texts, letters
// outside ASCII, an enabled and a disabled grid.
TEST(Grid, CellsAreDrawnAsTheStyleDrawsThem)
{
    for (bool enabled : {true, false}) {
        QWidget window;
        auto* g = new Grid(6, 4, &window);
        g->setGeometry(0, 0, 380, 160);
        window.resize(380, 160);
        const char* texts[] = {"AVATAR To", "-1.25", "", "WWWWWWWWWWWWWWWW long text", "Zürich", "12:00", "é ñ ß"};
        for (int r = 0; r < g->rows(); ++r)
            for (int c = 0; c < g->cols(); ++c)
                g->setTextMatrix(r, c, QString::fromUtf8(texts[(r * 3 + c) % 7]));
        for (int c = 0; c < g->cols(); ++c)
            g->setColAlignment(c, c % 3);
        g->setRow(1);
        g->setCol(0);
        select(*g, 2, 4, 1, 3);
        g->setEnabled(enabled);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        std::vector<QImage> ours;
        for (int r = 2; r < g->rows(); ++r)
            for (int c = 0; c < g->cols(); ++c)
                ours.push_back(cellImage(*g, r, c));
        g->table()->setItemDelegate(new QStyledItemDelegate(g->table()));
        size_t i = 0;
        for (int r = 2; r < g->rows(); ++r)
            for (int c = 0; c < g->cols(); ++c)
                EXPECT_EQ(ours[i++], cellImage(*g, r, c)) << enabled << " " << r << " " << c;
    }
}

// The title sections (and a fixed column's) look, measure and place the
// cells as under the style sheet "QHeaderView::section { padding: 0px 2px; }":
// short and long titles, each alignment, a header lower and higher than the
// titles, an enabled and a disabled grid.
TEST(Grid, TitleSectionsAreThoseOfTheThinPaddingStyleSheet)
{
    const QString feuille = QStringLiteral("QHeaderView::section { padding: 0px 2px; }");
    for (int hauteur : {180, 240, 600})
        for (bool enabled : {true, false}) {
            QWidget window;
            auto* g = new Grid(4, 5, &window);
            g->setGeometry(0, 0, 380, 160);
            window.resize(380, 160);
            g->setRowHeight(hauteur);
            const char* titres[] = {"UTC", "Local", "A very long title that does not fit", "Hz", "Zürich é"};
            for (int c = 0; c < g->cols(); ++c) {
                g->setTextMatrix(0, c, QString::fromUtf8(titres[c]));
                g->setFixedAlignment(c, c % 3);
                g->setColWidth(c, 550 + 90 * c);
            }
            for (int r = 1; r < g->rows(); ++r)
                g->setTextMatrix(r, 0, QStringLiteral("Row %1").arg(r));
            g->setFixedCols(1);
            g->setEnabled(enabled);
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            QHeaderView* haut = g->table()->horizontalHeader();
            QHeaderView* cote = g->table()->verticalHeader();
            auto vue = [&] {
                QApplication::processEvents();
                return std::make_tuple(g->grab().toImage(), haut->sizeHint(), cote->sizeHint(),
                                       g->table()->viewport()->geometry());
            };
            const auto ours = vue();
            for (QHeaderView* h : {haut, cote}) {
                h->setStyle(nullptr); // the application's style, under the style sheet
                h->setStyleSheet(feuille);
            }
            const auto feuilles = vue();
            EXPECT_TRUE(std::get<0>(ours) == std::get<0>(feuilles)) << hauteur << " " << enabled;
            EXPECT_EQ(std::get<1>(ours), std::get<1>(feuilles)) << hauteur << " " << enabled;
            EXPECT_EQ(std::get<2>(ours), std::get<2>(feuilles)) << hauteur << " " << enabled;
            EXPECT_EQ(std::get<3>(ours), std::get<3>(feuilles)) << hauteur << " " << enabled;
        }
}

// Rows given by a maker read, write, move and lose columns as the same rows
// given as texts, each made once, and only once it is looked at.
TEST(Grid, RowsMadeWhenLookedAtAreTheRowsGiven)
{
    const std::vector<QString> texts = {tabbed({"a|b|c|dropped"}), "d", tabbed({"e|f"}), tabbed({"g|h|i"})};
    for (int fixedCols : {0, 1}) {
        Grid given(3, 3), made(3, 3);
        std::vector<int> asked;
        for (Grid* g : {&given, &made}) {
            g->setFixedCols(fixedCols);
            fill(*g);
        }
        given.setRowTexts(2, texts);
        made.setRowTexts(2, int(texts.size()), [&](int i) {
            asked.push_back(i);
            return texts[size_t(i)];
        });
        EXPECT_EQ(made.rows(), given.rows()) << fixedCols;
        EXPECT_TRUE(asked.empty()) << fixedCols;
        EXPECT_EQ(made.textMatrix(3, 1), given.textMatrix(3, 1)) << fixedCols;
        EXPECT_EQ(asked, std::vector<int>{1}) << fixedCols;
        for (Grid* g : {&given, &made}) {
            g->setTextMatrix(4, 2, "w"); // over a row still to be made
            g->removeItem(2);            // a row never made
            g->addItem(tabbed({"n|o"}), 3);
            g->setCols(2); // the parts beyond stay dropped
            g->setCols(3);
        }
        for (int r = 0; r < given.rows(); ++r)
            for (int c = 0; c < given.cols(); ++c)
                EXPECT_EQ(made.textMatrix(r, c), given.textMatrix(r, c)) << fixedCols << " " << r << " " << c;
        EXPECT_EQ(asked, (std::vector<int>{1, 2, 3})) << fixedCols;
    }
}

// Drawing a long table makes the rows on screen, not the others.
TEST(Grid, DrawingATallGridMakesItsVisibleRowsOnly)
{
    QWidget window;
    auto* g = new Grid(2, 3, &window);
    g->setGeometry(0, 0, 300, 150);
    window.resize(300, 150);
    int made = 0;
    g->setRowTexts(1, 1000, [&](int i) {
        ++made;
        return QString::number(i) + TAB + "x";
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    EXPECT_GT(made, 0);
    EXPECT_LT(made, 50);
    g->setSelStartRow(1);
    g->setSelEndRow(1000);
    EXPECT_EQ(g->clip().count(CR), 999);
    EXPECT_EQ(made, 1000);
    EXPECT_EQ(g->textMatrix(1000, 0), "999");
}

// Every row dropped, the texts still to be made go with them; the grid is
// filled again from the new rows alone.
TEST(Grid, RowsDroppedLetTheirTextsGo)
{
    Grid g(2, 2);
    auto texts = std::make_shared<std::vector<QString>>(
        std::vector<QString>{QString("a") + TAB + "b", QString("c") + TAB + "d", "e"});
    g.setRowTexts(1, 3, [texts](int i) { return (*texts)[size_t(i)]; });
    EXPECT_EQ(g.textMatrix(2, 1), "d");
    EXPECT_GT(texts.use_count(), 1);
    g.setRows(1);
    EXPECT_EQ(texts.use_count(), 1);
    g.setRows(2);
    g.setRowTexts(1, 2, [](int i) { return i == 0 ? QString("x") : QString("y") + TAB + "z"; });
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.textMatrix(1, 0), "x");
    EXPECT_EQ(g.textMatrix(1, 1), "");
    EXPECT_EQ(g.textMatrix(2, 1), "z");
}

// Taking the focus, by the program or the Tab key, leaves the current cell
// where it was: row 0 current (no entry chosen) stays so.
TEST(Grid, TakingTheFocusKeepsTheCurrentCell)
{
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* g = new Grid(5, 3, &window);
    g->setGeometry(0, 30, 400, 200);
    fill(*g);
    window.show();
    QApplication::setActiveWindow(&window);
    QSignalSpy moves(g, &Grid::rowColChange);
    g->table()->setFocus();
    EXPECT_TRUE(g->table()->hasFocus());
    EXPECT_EQ(g->row(), 0);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(g->table()->hasFocus());
    EXPECT_EQ(g->row(), 0);
    EXPECT_EQ(moves.count(), 0);
    // Once there, the keys move it as before.
    g->setRow(2);
    QTest::keyClick(g->table(), Qt::Key_Down);
    EXPECT_EQ(g->row(), 3);
}

// Rows written as a block land where setTextMatrix would put them, raise the
// row count, keep the cells they give no part for, and reach the view in one
// notice for the rows added and one for the rows that were there.
TEST(Grid, RowTextsWriteABlockWithOneNotice)
{
    for (int fixedCols : {0, 1}) {
        Grid g(3, 3);
        g.setFixedCols(fixedCols);
        fill(g);
        QAbstractItemModel* m = g.table()->model();
        QSignalSpy inserted(m, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(m, &QAbstractItemModel::dataChanged);
        g.setRowTexts(2, {tabbed({"a|b|c|dropped"}), "d", tabbed({"e|f"})});
        EXPECT_EQ(g.rows(), 5);
        EXPECT_EQ(inserted.count(), 1);
        EXPECT_EQ(changed.count(), 1);
        const char* want[5][3] = {{"00", "01", "02"}, {"10", "11", "12"}, {"a", "b", "c"}, {"d", "", ""}, {"e", "f", ""}};
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(g.textMatrix(r, c), want[r][c]) << fixedCols << " " << r << " " << c;
        g.setRowTexts(0, {"x"}); // the title row is not a block row
        g.setRowTexts(1, {tabbed({"y|"})}); // an empty part empties its cell, a missing one keeps it
        EXPECT_EQ(g.textMatrix(1, 0), "y");
        EXPECT_EQ(g.textMatrix(1, 1), "");
        EXPECT_EQ(g.textMatrix(1, 2), "12");
        g.setCols(4);                        // a part dropped stays dropped
        EXPECT_EQ(g.textMatrix(2, 3), "");
        EXPECT_EQ(g.textMatrix(0, 0), "00");
    }
}

// Return and Enter: the character 13 by default, else a click or a double
// click on the current cell, once per press however long the key is held.
TEST(Grid, EnterIsACharacterOrAClickOnTheCurrentCell)
{
    struct Case {
        Grid::EnterKey setting;
        int keys13, clicks, doubleClicks;
    };
    const Case cases[] = {
        {Grid::EnterKey::Character, 3, 0, 0},
        {Grid::EnterKey::Click, 0, 2, 0},
        {Grid::EnterKey::DoubleClick, 0, 0, 2},
    };
    for (const Case& c : cases) {
        Grid g(5, 3);
        g.show();
        g.setEnterKey(c.setting);
        g.setRow(3);
        g.setCol(1);
        QSignalSpy key(&g, &Grid::keyPress), click(&g, &Grid::click), dbl(&g, &Grid::dblClick);
        int row = -1;
        QObject::connect(&g, &Grid::click, [&] { row = g.row(); });
        QObject::connect(&g, &Grid::dblClick, [&] { row = g.row(); });
        QTest::keyClick(g.table(), Qt::Key_Return);
        QTest::keyClick(g.table(), Qt::Key_Enter, Qt::KeypadModifier);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(g.table(), &held);
        EXPECT_EQ(key.count(), c.keys13) << int(c.setting);
        EXPECT_EQ(click.count(), c.clicks) << int(c.setting);
        EXPECT_EQ(dbl.count(), c.doubleClicks) << int(c.setting);
        for (const auto& k : key)
            EXPECT_EQ(k.at(0).toInt(), 13);
        EXPECT_EQ(row, c.setting == Grid::EnterKey::Character ? -1 : 3) << int(c.setting);
        EXPECT_EQ(g.row(), 3); // Enter moves nothing
    }
}
