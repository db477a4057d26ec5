#pragma once
// Grid of text cells with the operations the table windows, the correction
// editor and the prefix list use. Rows and columns are counted from 0 and
// include the fixed ones: row 0 is the fixed title row (fixedRows() == 1 by
// default); a fixed column 0 is optional (fixedCols() == 0 by default).
// Fixed cells are drawn as titles and do not scroll.
//
// The grid never edits a cell by itself: a typed character is handed to the
// program through keyPress(), which changes text() as its own filter says.
// Arrow keys and clicks move the current cell; taking the focus does not.
// Return and Enter are the character 13 unless setEnterKey() makes them a
// click or a double click on the current cell, so that a row the mouse acts on
// can be acted on from the keyboard alone. The current cell (a data cell) is
// always marked by a dotted frame, with or without the focus.
//
// Selection: a range selStartRow..selEndRow x selStartCol..selEndCol. Setting
// row() or col() (from code, a click or the keys) collapses it to the current
// cell; the four setters set it explicitly afterwards. clip() reads and
// setClip() writes the range as text, cells joined by TAB and rows by CR.
// With highlight on, the selected range is drawn highlighted; with row
// highlight on, a click selects (and highlights) the whole row.
//
// Alignment codes: 0 left, 1 right, 2 centre (cells of a column, and the
// column's fixed cells separately). Widths and heights are in twips.

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QTableView;

namespace platform {

class GridModel;

class Grid : public QWidget {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);
    Grid(int rows, int cols, QWidget* parent = nullptr);

    // Row and column counts, fixed ones included. Raising adds empty rows /
    // columns at the end; lowering drops the last ones. rows >= fixedRows(),
    // cols >= fixedCols(); smaller values are raised to that.
    int rows() const;
    void setRows(int n);
    int cols() const;
    void setCols(int n);
    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int n); // 0 or 1
    int fixedCols() const { return fixedCols_; }
    void setFixedCols(int n); // 0 or 1

    // Current cell. Values outside 0..rows()-1 / 0..cols()-1 are ignored.
    // Row 0 (a fixed row) may be current; nothing is then drawn as current.
    int row() const { return row_; }
    void setRow(int r);
    int col() const { return col_; }
    void setCol(int c);
    // Text of the current cell.
    QString text() const { return textMatrix(row_, col_); }
    void setText(const QString& s) { setTextMatrix(row_, col_, s); }
    // Any cell; "" outside the grid (writes outside are ignored).
    QString textMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const QString& s);

    // Selection (see above). Setters ignore values outside the grid.
    int selStartRow() const { return selStartRow_; }
    int selEndRow() const { return selEndRow_; }
    int selStartCol() const { return selStartCol_; }
    int selEndCol() const { return selEndCol_; }
    void setSelStartRow(int r);
    void setSelEndRow(int r);
    void setSelStartCol(int c);
    void setSelEndCol(int c);
    // Texts of the selected cells, TAB between the cells of a row, CR (13)
    // between rows, no final separator. Start and end may be given in either
    // order.
    QString clip() const;
    // Writes TAB / CR separated text (CR LF or LF also end a row) into the
    // selection from its top-left cell. Parts beyond the selection are
    // dropped; cells without a part keep their text.
    void setClip(const QString& s);

    // First scrollable row shown at the top (fixedRows().. rows()-1).
    int topRow() const;
    void setTopRow(int r);

    // Width of column c in twips.
    int colWidth(int c) const;
    void setColWidth(int c, int twips);
    // Height of every row in twips (default 240).
    int rowHeight() const { return rowHeightTwips_; }
    void setRowHeight(int twips);

    int colAlignment(int c) const;
    void setColAlignment(int c, int code);
    int fixedAlignment(int c) const;
    void setFixedAlignment(int c, int code);

    bool highlight() const { return highlight_; }
    void setHighlight(bool on);
    bool rowHighlight() const { return rowHighlight_; }
    void setRowHighlight(bool on);

    // What Return and Enter do: keyPress(13) (the default), click() or
    // dblClick(), each on the current cell as it stands (a held key acts once).
    enum class EnterKey { Character, Click, DoubleClick };
    EnterKey enterKey() const { return enterKey_; }
    void setEnterKey(EnterKey k) { enterKey_ = k; }

    // Writes rows from row `first` (a scrollable row) on, raising rows() as
    // needed: rows[i] goes to row first + i, its TAB-separated parts from
    // column 0 (parts beyond the last column dropped, cells without a part
    // keep their text). The view and the accessibility tools get one change
    // notice for the whole block instead of one a cell, for tables written
    // at once.
    void setRowTexts(int first, const std::vector<QString>& rows);
    // The same for `count` rows whose texts are made by `rows(i)` (i from 0)
    // only when a row is first drawn, read or written: a long table costs
    // only the rows looked at. `rows` is kept until the grid is renumbered.
    void setRowTexts(int first, int count, std::function<QString(int)> rows);

    // Inserts a row at `index` (fixedRows()..rows(); -1 = at the end) whose
    // cells are the TAB-separated parts of `text` from column 0; parts beyond
    // the last column are dropped. Returns false (nothing changed) for an
    // index outside that range.
    bool addItem(const QString& text, int index = -1);
    // Removes row `index` (a scrollable row). Returns false otherwise.
    bool removeItem(int index);

    // What screen readers call the columns, from column 0 (fixed columns
    // included): a name that says what the column holds ("Moon azimuth")
    // where the title shown is short or repeats ("Azim"). A column without a
    // name here is read by its title.
    void setColumnNames(const QStringList& names);

    // Where data cell (r, c) stands in table()->viewport(), in pixels; an
    // empty rectangle for a fixed cell or one outside the grid.
    QRect cellRect(int r, int c) const;

    // The Qt view inside, for tests and styling.
    QTableView* table() const { return table_; }

signals:
    void click();            // a click on a cell, after the current cell moved there
    void dblClick();         // a double click on a cell
    void rowColChange();     // the current cell moved by a click or a key
    // A typed character: its code (8 Backspace, 13 Enter, 27 Escape, 22 a
    // paste (Ctrl+V), else the character's code, e.g. 43 '+', 48..57
    // digits). No other control character is reported (Delete, Tab, other
    // Ctrl or Alt combinations).
    void keyPress(int keyAscii);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void renumber(int fixedRows, int fixedCols);
    void applyAlignment(int c, bool title); // title: the title's alignment, else the cells'
    void syncView();
    void setSelEnd(int& end, int value, int limit);
    void setCurrentFromView(int viewRow, int viewCol);
    void collapseSelection();
    int viewRow(int r) const { return r - fixedRows_; }
    int viewCol(int c) const { return c - fixedCols_; }

    QTableView* table_;
    GridModel* model_;
    int fixedRows_ = 1;
    int fixedCols_ = 0;
    int row_ = 0, col_ = 0;
    int selStartRow_ = 0, selEndRow_ = 0, selStartCol_ = 0, selEndCol_ = 0;
    int rowHeightTwips_ = 240;
    bool highlight_ = true;
    bool rowHighlight_ = false;
    bool syncing_ = false;
    EnterKey enterKey_ = EnterKey::Character;
    QString corner_;
    std::vector<int> colAlign_;
    std::vector<int> fixedAlign_;
    std::vector<int> colWidthTwips_;
};

} // namespace platform
