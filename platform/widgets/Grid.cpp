#include "platform/widgets/Grid.h"

#include "platform/Geometry.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

namespace {

constexpr int defaultColWidthTwips = 1000;

Qt::Alignment qtAlignment(int code)
{
    switch (code) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// Draws the cells as usual and marks the view's current cell with a dotted
// frame just inside the cell, whether or not the view has the focus (the
// style's own focus frame, shown only with the focus, is left out).
class CurrentCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        opt.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(p, opt, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (!view || !index.isValid() || index != view->currentIndex())
            return;
        const QRect r = option.rect.adjusted(1, 1, -2, -2);
        if (r.width() < 1 || r.height() < 1)
            return;
        const bool selected = option.state & QStyle::State_Selected;
        QPen pen(option.palette.color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text));
        pen.setCosmetic(true);
        pen.setWidth(1);
        pen.setDashPattern({1.0, 1.0});
        p->save();
        p->setRenderHint(QPainter::Antialiasing, false);
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        p->drawRect(r);
        p->restore();
    }
};

} // namespace

Grid::Grid(QWidget* parent) : Grid(2, 2, parent) {}

Grid::Grid(int rows, int cols, QWidget* parent) : QWidget(parent), table_(new QTableWidget(this))
{
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(table_);

    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    // The column widths are given in twips for a small dialog font: keep the
    // font small and the padding thin so that "00:00" fits 550 twips, and cut
    // a text that does not fit rather than replace it by an ellipsis.
    QFont small = table_->font();
    small.setPointSizeF(8);
    table_->setFont(small);
    table_->horizontalHeader()->setFont(small);
    table_->verticalHeader()->setFont(small);
    table_->setTextElideMode(Qt::ElideNone);
    table_->setStyleSheet(QStringLiteral("QTableView::item { padding: 0px 2px; }"
                                         "QHeaderView::section { padding: 0px 2px; }"));
    table_->horizontalHeader()->setSectionsClickable(false);
    table_->verticalHeader()->setSectionsClickable(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->verticalHeader()->setHighlightSections(false);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setMinimumSectionSize(4);
    table_->horizontalHeader()->setMinimumSectionSize(4);
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->setCornerButtonEnabled(false);
    table_->verticalHeader()->setVisible(false);
    table_->installEventFilter(this);
    table_->setItemDelegate(new CurrentCellDelegate(table_));
    // The view's own selection is driven by this class; its colours stay the
    // usual ones even when the grid has no focus.
    QPalette pal = table_->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    table_->setPalette(pal);

    connect(table_, &QTableWidget::currentCellChanged, this, [this](int r, int c, int, int) {
        if (syncing_ || r < 0 || c < 0)
            return;
        setCurrentFromView(r, c);
        emit rowColChange();
    });
    connect(table_, &QTableWidget::cellClicked, this, [this](int r, int c) {
        if (viewRow(row_) != r || viewCol(col_) != c)
            setCurrentFromView(r, c);
        emit click();
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int, int) { emit dblClick(); });

    setRowHeight(rowHeightTwips_);
    setCols(cols);
    setRows(rows);
}

// ----- structure -------------------------------------------------------------

int Grid::rows() const { return table_->rowCount() + fixedRows_; }
int Grid::cols() const { return table_->columnCount() + fixedCols_; }

void Grid::setRows(int n)
{
    n = std::max(n, fixedRows_);
    const int old = rows();
    table_->setRowCount(n - fixedRows_);
    for (int r = std::max(old, fixedRows_); r < n; ++r)
        if (fixedCols_)
            table_->setVerticalHeaderItem(viewRow(r), new QTableWidgetItem(QString()));
    if (fixedCols_)
        applyAlignment(0);
    row_ = std::min(row_, n - 1);
    selStartRow_ = std::min(selStartRow_, n - 1);
    selEndRow_ = std::min(selEndRow_, n - 1);
    syncView();
}

void Grid::setCols(int n)
{
    n = std::max(n, fixedCols_);
    const int old = cols();
    table_->setColumnCount(n - fixedCols_);
    colAlign_.resize(size_t(n), 0);
    fixedAlign_.resize(size_t(n), 0);
    colWidthTwips_.resize(size_t(n), defaultColWidthTwips);
    for (int c = std::max(old, fixedCols_); c < n; ++c) {
        if (fixedRows_)
            table_->setHorizontalHeaderItem(viewCol(c), new QTableWidgetItem(QString()));
        setColWidth(c, colWidthTwips_[size_t(c)]);
        applyAlignment(c);
    }
    col_ = std::min(col_, n - 1);
    selStartCol_ = std::min(selStartCol_, n - 1);
    selEndCol_ = std::min(selEndCol_, n - 1);
    syncView();
}

void Grid::setFixedRows(int n)
{
    n = std::clamp(n, 0, 1);
    if (n == fixedRows_)
        return;
    // Keep every text where it stands in the grid's numbering.
    const int R = std::max(rows(), n), C = cols();
    std::vector<QString> all(size_t(R * C));
    for (int r = 0; r < rows(); ++r)
        for (int c = 0; c < C; ++c)
            all[size_t(r * C + c)] = textMatrix(r, c);
    table_->clear();
    fixedRows_ = n;
    table_->setRowCount(R - fixedRows_);
    table_->horizontalHeader()->setVisible(fixedRows_ == 1);
    for (int c = fixedCols_; c < C; ++c)
        table_->setHorizontalHeaderItem(viewCol(c), new QTableWidgetItem(QString()));
    for (int r = fixedRows_; r < R && fixedCols_; ++r)
        table_->setVerticalHeaderItem(viewRow(r), new QTableWidgetItem(QString()));
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c)
            setTextMatrix(r, c, all[size_t(r * C + c)]);
    for (int c = 0; c < C; ++c)
        applyAlignment(c);
    syncView();
}

void Grid::setFixedCols(int n)
{
    n = std::clamp(n, 0, 1);
    if (n == fixedCols_)
        return;
    const int R = rows(), C = std::max(cols(), n);
    std::vector<QString> all(size_t(R * C));
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < cols(); ++c)
            all[size_t(r * C + c)] = textMatrix(r, c);
    table_->clear();
    fixedCols_ = n;
    table_->setColumnCount(C - fixedCols_);
    table_->verticalHeader()->setVisible(fixedCols_ == 1);
    for (int c = fixedCols_; c < C && fixedRows_; ++c)
        table_->setHorizontalHeaderItem(viewCol(c), new QTableWidgetItem(QString()));
    for (int r = fixedRows_; r < R && fixedCols_; ++r)
        table_->setVerticalHeaderItem(viewRow(r), new QTableWidgetItem(QString()));
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c)
            setTextMatrix(r, c, all[size_t(r * C + c)]);
    for (int c = 0; c < C; ++c) {
        setColWidth(c, colWidthTwips_[size_t(c)]);
        applyAlignment(c);
    }
    syncView();
}

// ----- cells -----------------------------------------------------------------

const QTableWidgetItem* Grid::itemAt(int r, int c) const
{
    if (r < 0 || c < 0 || r >= rows() || c >= cols())
        return nullptr;
    if (r < fixedRows_ && c < fixedCols_)
        return nullptr; // the corner, kept in corner_
    if (r < fixedRows_)
        return table_->horizontalHeaderItem(viewCol(c));
    if (c < fixedCols_)
        return table_->verticalHeaderItem(viewRow(r));
    return table_->item(viewRow(r), viewCol(c));
}

QTableWidgetItem* Grid::itemAt(int r, int c, bool create)
{
    auto* it = const_cast<QTableWidgetItem*>(static_cast<const Grid*>(this)->itemAt(r, c));
    if (it || !create || r < fixedRows_ || c < fixedCols_ || r >= rows() || c >= cols())
        return it;
    it = new QTableWidgetItem();
    it->setTextAlignment(qtAlignment(colAlign_[size_t(c)]));
    table_->setItem(viewRow(r), viewCol(c), it);
    return it;
}

QString Grid::textMatrix(int r, int c) const
{
    if (r < fixedRows_ && c < fixedCols_ && r >= 0 && c >= 0)
        return corner_;
    const QTableWidgetItem* it = itemAt(r, c);
    return it ? it->text() : QString();
}

void Grid::setTextMatrix(int r, int c, const QString& s)
{
    if (r < 0 || c < 0 || r >= rows() || c >= cols())
        return;
    if (r < fixedRows_ && c < fixedCols_) {
        corner_ = s;
        return;
    }
    if (QTableWidgetItem* it = itemAt(r, c, true))
        it->setText(s);
}

void Grid::setRowTexts(int first, const std::vector<QStringList>& texts)
{
    if (first < fixedRows_ || texts.empty())
        return;
    const int last = first + int(texts.size()) - 1;
    if (last >= rows())
        setRows(last + 1);
    QAbstractItemModel* m = table_->model();
    {
        // The items are written with the model silent; the notices follow
        // once for the block.
        const QSignalBlocker silent(m);
        for (int i = 0; i < int(texts.size()); ++i) {
            const QStringList& cells = texts[size_t(i)];
            const int r = first + i;
            for (int c = 0; c < cells.size() && c < cols(); ++c) {
                if (c < fixedCols_ || itemAt(r, c)) {
                    setTextMatrix(r, c, cells[c]);
                    continue;
                }
                auto* it = new QTableWidgetItem(cells[c]);
                it->setTextAlignment(qtAlignment(colAlign_[size_t(c)]));
                table_->setItem(viewRow(r), viewCol(c), it);
            }
        }
    }
    if (fixedCols_)
        emit m->headerDataChanged(Qt::Vertical, viewRow(first), viewRow(last));
    if (table_->columnCount() > 0)
        emit m->dataChanged(m->index(viewRow(first), 0), m->index(viewRow(last), table_->columnCount() - 1));
}

// ----- current cell and selection ---------------------------------------------

void Grid::setRow(int r)
{
    if (r < 0 || r >= rows())
        return;
    row_ = r;
    collapseSelection();
    syncView();
}

void Grid::setCol(int c)
{
    if (c < 0 || c >= cols())
        return;
    col_ = c;
    collapseSelection();
    syncView();
}

void Grid::setCurrentFromView(int vr, int vc)
{
    row_ = vr + fixedRows_;
    col_ = vc + fixedCols_;
    collapseSelection();
    syncView();
}

void Grid::collapseSelection()
{
    selStartRow_ = selEndRow_ = row_;
    if (rowHighlight_) {
        selStartCol_ = 0;
        selEndCol_ = cols() - 1;
    } else {
        selStartCol_ = selEndCol_ = col_;
    }
}

// One end of the selection, taken only within 0..limit-1.
void Grid::setSelEnd(int& end, int value, int limit)
{
    if (value >= 0 && value < limit) {
        end = value;
        syncView();
    }
}
void Grid::setSelStartRow(int r) { setSelEnd(selStartRow_, r, rows()); }
void Grid::setSelEndRow(int r) { setSelEnd(selEndRow_, r, rows()); }
void Grid::setSelStartCol(int c) { setSelEnd(selStartCol_, c, cols()); }
void Grid::setSelEndCol(int c) { setSelEnd(selEndCol_, c, cols()); }

void Grid::syncView()
{
    syncing_ = true;
    const bool inData = row_ >= fixedRows_ && col_ >= fixedCols_ && row_ < rows() && col_ < cols();
    QItemSelectionModel* sm = table_->selectionModel();
    if (inData)
        table_->setCurrentCell(viewRow(row_), viewCol(col_), QItemSelectionModel::NoUpdate);
    else
        sm->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    sm->clearSelection();
    if (highlight_ && table_->rowCount() > 0 && table_->columnCount() > 0) {
        const int r0 = std::max(std::min(selStartRow_, selEndRow_), fixedRows_);
        const int r1 = std::max(selStartRow_, selEndRow_);
        const int c0 = std::max(std::min(selStartCol_, selEndCol_), fixedCols_);
        const int c1 = std::max(selStartCol_, selEndCol_);
        const bool single = r0 == r1 && c0 == c1 && !rowHighlight_;
        if (r0 <= r1 && c0 <= c1 && !single) {
            QAbstractItemModel* m = table_->model();
            sm->select(QItemSelection(m->index(viewRow(r0), viewCol(c0)), m->index(viewRow(r1), viewCol(c1))),
                       QItemSelectionModel::Select);
        }
    }
    syncing_ = false;
    table_->viewport()->update();
}

void Grid::setHighlight(bool on)
{
    highlight_ = on;
    syncView();
}

void Grid::setRowHighlight(bool on)
{
    rowHighlight_ = on;
    collapseSelection();
    syncView();
}

QString Grid::clip() const
{
    const int r0 = std::min(selStartRow_, selEndRow_), r1 = std::max(selStartRow_, selEndRow_);
    const int c0 = std::min(selStartCol_, selEndCol_), c1 = std::max(selStartCol_, selEndCol_);
    QString out;
    for (int r = r0; r <= r1; ++r) {
        if (r > r0)
            out += QChar(13);
        for (int c = c0; c <= c1; ++c) {
            if (c > c0)
                out += QChar(9);
            out += textMatrix(r, c);
        }
    }
    return out;
}

void Grid::setClip(const QString& s)
{
    const int r0 = std::min(selStartRow_, selEndRow_), r1 = std::max(selStartRow_, selEndRow_);
    const int c0 = std::min(selStartCol_, selEndCol_), c1 = std::max(selStartCol_, selEndCol_);
    QString t = s;
    t.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    t.replace(QChar(10), QChar(13));
    const QStringList lines = t.split(QChar(13));
    for (int i = 0; i < lines.size() && r0 + i <= r1; ++i) {
        const QStringList parts = lines[i].split(QChar(9));
        for (int j = 0; j < parts.size() && c0 + j <= c1; ++j)
            setTextMatrix(r0 + i, c0 + j, parts[j]);
    }
}

// ----- scrolling, sizes, alignment -------------------------------------------

int Grid::topRow() const { return table_->verticalScrollBar()->value() + fixedRows_; }

void Grid::setTopRow(int r)
{
    if (r < fixedRows_ || r >= rows())
        return;
    table_->verticalScrollBar()->setValue(viewRow(r));
}

int Grid::colWidth(int c) const
{
    return c >= 0 && c < cols() ? colWidthTwips_[size_t(c)] : 0;
}

void Grid::setColWidth(int c, int twips)
{
    if (c < 0 || c >= cols())
        return;
    colWidthTwips_[size_t(c)] = twips;
    if (c < fixedCols_)
        table_->verticalHeader()->setFixedWidth(twipsToPixels(twips));
    else
        table_->setColumnWidth(viewCol(c), twipsToPixels(twips));
}

void Grid::setRowHeight(int twips)
{
    rowHeightTwips_ = twips;
    const int px = std::max(4, twipsToPixels(twips));
    table_->verticalHeader()->setDefaultSectionSize(px);
    table_->horizontalHeader()->setFixedHeight(px);
}

int Grid::colAlignment(int c) const { return c >= 0 && c < cols() ? colAlign_[size_t(c)] : 0; }

void Grid::setColAlignment(int c, int code)
{
    if (c < 0 || c >= cols() || colAlign_[size_t(c)] == std::clamp(code, 0, 2))
        return;
    colAlign_[size_t(c)] = std::clamp(code, 0, 2);
    applyAlignment(c);
}

int Grid::fixedAlignment(int c) const { return c >= 0 && c < cols() ? fixedAlign_[size_t(c)] : 0; }

void Grid::setFixedAlignment(int c, int code)
{
    if (c < 0 || c >= cols() || fixedAlign_[size_t(c)] == std::clamp(code, 0, 2))
        return;
    fixedAlign_[size_t(c)] = std::clamp(code, 0, 2);
    applyAlignment(c);
}

void Grid::applyAlignment(int c)
{
    if (c < 0 || c >= cols())
        return;
    if (c < fixedCols_) {
        // The fixed column's cells are titles: they take the fixed alignment.
        for (int r = fixedRows_; r < rows(); ++r)
            if (QTableWidgetItem* it = table_->verticalHeaderItem(viewRow(r)))
                it->setTextAlignment(qtAlignment(fixedAlign_[size_t(c)]));
        return;
    }
    if (fixedRows_)
        if (QTableWidgetItem* h = table_->horizontalHeaderItem(viewCol(c)))
            h->setTextAlignment(qtAlignment(fixedAlign_[size_t(c)]));
    if (table_->rowCount() == 0)
        return;
    // The column's cells with the model silent, then one notice for the column.
    QAbstractItemModel* m = table_->model();
    {
        const QSignalBlocker silent(m);
        for (int r = 0; r < table_->rowCount(); ++r)
            if (QTableWidgetItem* it = table_->item(r, viewCol(c)))
                it->setTextAlignment(qtAlignment(colAlign_[size_t(c)]));
    }
    emit m->dataChanged(m->index(0, viewCol(c)), m->index(table_->rowCount() - 1, viewCol(c)),
                        {Qt::TextAlignmentRole});
}

// ----- rows added and removed ------------------------------------------------

bool Grid::addItem(const QString& text, int index)
{
    if (index == -1)
        index = rows();
    if (index < fixedRows_ || index > rows())
        return false;
    table_->insertRow(viewRow(index));
    if (fixedCols_) {
        table_->setVerticalHeaderItem(viewRow(index), new QTableWidgetItem(QString()));
        applyAlignment(0);
    }
    const QStringList parts = text.split(QChar(9));
    for (int c = 0; c < parts.size() && c < cols(); ++c)
        setTextMatrix(index, c, parts[c]);
    syncView();
    return true;
}

bool Grid::removeItem(int index)
{
    if (index < fixedRows_ || index >= rows())
        return false;
    table_->removeRow(viewRow(index));
    const int last = rows() - 1;
    row_ = std::min(row_, last);
    selStartRow_ = std::min(selStartRow_, last);
    selEndRow_ = std::min(selEndRow_, last);
    syncView();
    return true;
}

// ----- keys --------------------------------------------------------------------

bool Grid::eventFilter(QObject* o, QEvent* e)
{
    if (o == table_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false; // moves the current cell (or the focus)
        case Qt::Key_Backspace: emit keyPress(8); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: emit keyPress(13); return true;
        case Qt::Key_Escape: emit keyPress(27); return true;
        default: break;
        }
        if (k->text().isEmpty() || (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        // Only characters are reported: Delete (127 on X11) and the other
        // control characters do nothing.
        const char32_t code = k->text().toUcs4().value(0);
        if (QChar::category(code) == QChar::Other_Control)
            return true;
        emit keyPress(int(code));
        return true;
    }
    return QWidget::eventFilter(o, e);
}

} // namespace platform
