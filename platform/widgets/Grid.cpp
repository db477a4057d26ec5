#include "platform/widgets/Grid.h"

#include "platform/Geometry.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace platform {

namespace {

constexpr int defaultColWidthTwips = 1000;

// The grids' title sections with a thin padding: no padding above and below
// the title, 2 pixels at either side. They are laid out and drawn as under
// the style sheet "QHeaderView::section { padding: 0px 2px; }": the section
// and its title by the application's style, the title in the section less
// the padding, the section's size hint the style's widened by the padding.
// (A style sheet would give every grid's headers a style of their own, costly
// to make, to polish and to paint with.) One for the application, shared by
// every grid: a child of the application object, made with the first grid.
class ThinSections : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    static QStyle* shared()
    {
        QCoreApplication* app = QCoreApplication::instance();
        auto* style = app->findChild<ThinSections*>(QString(), Qt::FindDirectChildrenOnly);
        if (!style) {
            style = new ThinSections(QStyleFactory::create(QApplication::style()->name()));
            style->setParent(app);
        }
        return style;
    }

    QRect subElementRect(SubElement e, const QStyleOption* opt, const QWidget* w) const override
    {
        if (e == SE_HeaderLabel)
            return opt->rect.adjusted(2, 0, -2, 0);
        return QProxyStyle::subElementRect(e, opt, w);
    }

    QSize sizeFromContents(ContentsType t, const QStyleOption* opt, const QSize& size, const QWidget* w) const override
    {
        const QSize s = QProxyStyle::sizeFromContents(t, opt, size, w);
        return t == CT_HeaderSection ? s + QSize(4, 0) : s;
    }

    // A section: its frame, then its title in the padded rectangle and the
    // sort arrow, clipped to the section.
    void drawControl(ControlElement e, const QStyleOption* opt, QPainter* p, const QWidget* w) const override
    {
        const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(opt);
        if (e != CE_Header || !header)
            return QProxyStyle::drawControl(e, opt, p, w);
        const QRegion clip = p->clipRegion();
        p->setClipRect(opt->rect);
        proxy()->drawControl(CE_HeaderSection, header, p, w);
        QStyleOptionHeaderV2 sub;
        QStyleOptionHeader& subV1 = sub;
        if (const auto* v2 = qstyleoption_cast<const QStyleOptionHeaderV2*>(opt))
            sub = *v2;
        else
            subV1 = *header;
        sub.rect = subElementRect(SE_HeaderLabel, header, w);
        if (sub.rect.isValid())
            proxy()->drawControl(CE_HeaderLabel, &sub, p, w);
        if (header->sortIndicator != QStyleOptionHeader::None) {
            sub.rect = subElementRect(SE_HeaderArrow, opt, w);
            proxy()->drawPrimitive(PE_IndicatorHeaderArrow, &sub, p, w);
        }
        p->setClipRegion(clip);
    }
};

Qt::Alignment qtAlignment(int code)
{
    switch (code) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

// The texts behind the view: the scrollable cells by view row and column, the
// fixed row's texts as horizontal header sections and the fixed column's as
// vertical ones. Alignments are the grid's, by grid column.
class GridModel : public QAbstractTableModel {
public:
    GridModel(const std::vector<int>& colAlign, const std::vector<int>& fixedAlign, const int& fixedCols,
              QObject* parent)
        : QAbstractTableModel(parent), colAlign_(colAlign), fixedAlign_(fixedAlign), fixedCols_(fixedCols)
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(cells_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols_; }

    QVariant data(const QModelIndex& i, int role) const override
    {
        if (!i.isValid())
            return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return text(i.row(), i.column());
        if (role == Qt::TextAlignmentRole)
            return int(qtAlignment(align(colAlign_, i.column() + fixedCols_)));
        return {};
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        const bool h = o == Qt::Horizontal;
        if (role == Qt::DisplayRole)
            return h ? header_.value(section) : sideText(section);
        if (role == Qt::AccessibleTextRole && h) {
            const QString name = names_.value(section + fixedCols_);
            return name.isEmpty() ? header_.value(section) : name;
        }
        if (role == Qt::TextAlignmentRole)
            return int(qtAlignment(align(fixedAlign_, h ? section + fixedCols_ : 0)));
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& i) const override
    {
        return i.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    QString text(int r, int c) const
    {
        if (r < 0 || r >= int(cells_.size()) || c < 0 || c >= cols_)
            return QString();
        make(r);
        return part(cells_[size_t(r)], c);
    }
    void setText(int r, int c, const QString& s)
    {
        if (r < 0 || r >= int(cells_.size()) || c < 0 || c >= cols_)
            return;
        make(r);
        QStringList parts = cells_[size_t(r)].split(QChar(9));
        while (parts.size() <= c)
            parts.append(QString());
        parts[c] = s;
        cells_[size_t(r)] = parts.join(QChar(9));
        emit dataChanged(index(r, c), index(r, c), {Qt::DisplayRole, Qt::EditRole});
    }
    QString headerText(int c) const { return header_.value(c); }
    void setColumnNames(const QStringList& names)
    {
        names_ = names;
        if (cols_ > 0)
            emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    }
    void setHeaderText(int c, const QString& s)
    {
        if (c < 0 || c >= cols_)
            return;
        header_[c] = s;
        emit headerDataChanged(Qt::Horizontal, c, c);
    }
    QString sideText(int r) const
    {
        if (r < 0 || r >= int(side_.size()))
            return QString();
        make(r);
        return side_[r];
    }
    void setSideText(int r, const QString& s)
    {
        if (r < 0 || r >= int(side_.size()))
            return;
        make(r);
        side_[r] = s;
        emit headerDataChanged(Qt::Vertical, r, r);
    }

    void setRows(int n)
    {
        const int old = int(cells_.size());
        if (n > old) {
            beginInsertRows({}, old, n - 1);
            resizeRows(n);
            endInsertRows();
        } else if (n < old) {
            beginRemoveRows({}, n, old - 1);
            resizeRows(n);
            endRemoveRows();
        }
    }
    void setCols(int n)
    {
        if (n > cols_) {
            beginInsertColumns({}, cols_, n - 1);
            cols_ = n;
            header_.resize(n);
            endInsertColumns();
        } else if (n < cols_) {
            beginRemoveColumns({}, n, cols_ - 1);
            for (int r = 0; r < int(cells_.size()); ++r)
                make(r);
            cols_ = n;
            header_.resize(n);
            for (QString& row : cells_)
                row = clipped(row);
            endRemoveColumns();
        }
    }
    void insertRowAt(int r, const QString& side, const QStringList& cells)
    {
        beginInsertRows({}, r, r);
        cells_.insert(cells_.begin() + r, clipped(cells.join(QChar(9))));
        side_.insert(r, side);
        if (!pending_.empty())
            pending_.insert(pending_.begin() + r, Pending{});
        endInsertRows();
    }
    void removeRowAt(int r)
    {
        beginRemoveRows({}, r, r);
        cells_.erase(cells_.begin() + r);
        side_.removeAt(r);
        if (!pending_.empty())
            pending_.erase(pending_.begin() + r);
        endRemoveRows();
    }
    // TAB-separated rows from `first` on, raised as needed: one notice for
    // the rows added and one for the rows that were there. With a fixed
    // column the first part of each row is its fixed cell. Row i is
    // texts(i), made there and then or, when `later`, when the row is first
    // read or written (make).
    void setRowTexts(int first, int count, std::function<QString(int)> texts, bool later)
    {
        const int last = first + count - 1;
        const int old = int(cells_.size());
        if (last >= old) {
            beginInsertRows({}, old, last);
            resizeRows(last + 1);
        }
        if (later) {
            if (pending_.empty())
                pending_.resize(cells_.size());
            makers_.push_back(std::move(texts));
            for (int i = 0; i < count; ++i) {
                make(first + i); // the text a row had is what its new parts are written over
                pending_[size_t(first + i)] = Pending{int(makers_.size()) - 1, i};
            }
        } else {
            for (int i = 0; i < count; ++i) {
                make(first + i);
                write(first + i, texts(i));
            }
        }
        if (last >= old)
            endInsertRows();
        if (first < old) {
            const int end = std::min(last, old - 1);
            if (fixedCols_)
                emit headerDataChanged(Qt::Vertical, first, end);
            if (cols_ > 0)
                emit dataChanged(index(first, 0), index(end, cols_ - 1));
        }
    }
    // Every text anew (the fixed row or column was switched).
    void reset(int rows, int cols, const std::function<QString(int, int)>& cell, const QStringList& header,
               const QStringList& side)
    {
        beginResetModel();
        cols_ = cols;
        pending_.clear();
        makers_.clear();
        cells_.assign(size_t(rows), QString());
        for (int r = 0; r < rows; ++r) {
            QStringList parts;
            for (int c = 0; c < cols; ++c)
                parts.append(cell(r, c));
            cells_[size_t(r)] = parts.join(QChar(9));
        }
        header_ = header;
        header_.resize(cols);
        side_ = side;
        side_.resize(rows);
        endResetModel();
    }
    // The alignment of a column's title (`title`) or of its cells changed;
    // -1: the fixed column's.
    void alignmentChanged(int viewCol, bool title)
    {
        if (viewCol >= 0 && viewCol < cols_) {
            if (title)
                emit headerDataChanged(Qt::Horizontal, viewCol, viewCol);
            else if (!cells_.empty())
                emit dataChanged(index(0, viewCol), index(int(cells_.size()) - 1, viewCol), {Qt::TextAlignmentRole});
        } else if (!side_.isEmpty()) {
            emit headerDataChanged(Qt::Vertical, 0, int(side_.size()) - 1);
        }
    }

private:
    // A row whose text is still to be made: its maker and its argument.
    struct Pending {
        int maker = -1;
        int arg = 0;
    };

    void resizeRows(int n)
    {
        cells_.resize(size_t(n));
        side_.resize(n);
        if (!pending_.empty())
            pending_.resize(size_t(n));
        // No row left: the makers go, with the data they hold (a grid
        // emptied and filled again, day after day, would keep every fill).
        if (n == 0) {
            pending_.clear();
            makers_.clear();
        }
    }
    // Row r's text made, if it is still to be made. The rows' texts are the
    // model's own cache: making one changes nothing a reader sees.
    void make(int r) const
    {
        if (pending_.empty() || pending_[size_t(r)].maker < 0)
            return;
        const Pending p = pending_[size_t(r)];
        pending_[size_t(r)] = Pending{};
        const_cast<GridModel*>(this)->write(r, makers_[size_t(p.maker)](p.arg));
    }
    // Writes a TAB-separated text over row r: with a fixed column its first
    // part is the fixed cell; cells without a part keep their text.
    void write(int r, QString line)
    {
        if (fixedCols_) {
            const qsizetype tab = line.indexOf(QChar(9));
            side_[r] = tab < 0 ? line : line.left(tab);
            if (tab < 0)
                return;
            line = line.mid(tab + 1);
        }
        QString& row = cells_[size_t(r)];
        if (row.isEmpty()) {
            row = clipped(line); // shared, not copied, when it fits
            return;
        }
        QStringList parts = row.split(QChar(9));
        const QStringList given = line.split(QChar(9));
        for (int c = 0; c < given.size() && c < cols_; ++c) {
            while (parts.size() <= c)
                parts.append(QString());
            parts[c] = given[c];
        }
        row = parts.join(QChar(9));
    }
    static int align(const std::vector<int>& v, int c) { return c >= 0 && c < int(v.size()) ? v[size_t(c)] : 0; }
    // Part c of a TAB-separated row ("" when the row has fewer parts).
    static QString part(const QString& line, int c)
    {
        qsizetype from = 0;
        for (int k = 0; k < c; ++k) {
            from = line.indexOf(QChar(9), from);
            if (from < 0)
                return QString();
            ++from;
        }
        const qsizetype to = line.indexOf(QChar(9), from);
        return line.mid(from, to < 0 ? -1 : to - from);
    }
    // A row cut to the columns there are: parts beyond the last are dropped.
    QString clipped(const QString& line) const
    {
        if (line.count(QChar(9)) < cols_)
            return line;
        return line.split(QChar(9)).mid(0, cols_).join(QChar(9));
    }

    const std::vector<int>& colAlign_;
    const std::vector<int>& fixedAlign_;
    const int& fixedCols_;
    std::vector<QString> cells_; // each row's cells joined by TAB
    QStringList header_, side_;
    QStringList names_; // screen readers' names of the columns, by grid column
    int cols_ = 0;
    // Rows given to be made later: empty, or one entry a row.
    mutable std::vector<Pending> pending_;
    std::vector<std::function<QString(int)>> makers_;
};

namespace {

// Draws the cells as the application's style draws a text item and marks
// the view's current cell with a dotted frame just inside the cell, whether
// or not the view has the focus (the style's own focus frame, shown only
// with the focus, is left out). The cells hold text only, and the style
// would lay each text out twice (once to elide it, once to draw it): its
// background is drawn by the style and its text laid out once, at the place
// the style gives it.
class CurrentCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        opt.state &= ~QStyle::State_HasFocus;
        const QStyle* style = QApplication::style();
        p->save();
        p->setClipRect(opt.rect);
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, p, opt.widget);
        if (!opt.text.isEmpty())
            drawText(p, opt, *style);
        p->restore();
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

private:
    // The text of a cell in one line, as QCommonStyle places it: inside the
    // style's text rectangle (the whole cell, there being neither a check
    // box nor a picture) less the focus frame's margin, aligned by the cell's
    // alignment, in the text colour of its state.
    static void drawText(QPainter* p, const QStyleOptionViewItem& opt, const QStyle& style)
    {
        QPalette::ColorGroup cg = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        if (cg == QPalette::Normal && !(opt.state & QStyle::State_Active))
            cg = QPalette::Inactive;
        p->setPen(opt.palette.color(cg, opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        const int margin = style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
        const bool textOnly =
            !(opt.features & (QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration));
        const QRect textRect = (textOnly ? opt.rect : style.subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget))
                                   .adjusted(margin, 0, -margin, 0);
        QTextOption layoutOption;
        layoutOption.setWrapMode(QTextOption::ManualWrap);
        layoutOption.setTextDirection(opt.direction);
        layoutOption.setAlignment(QStyle::visualAlignment(opt.direction, opt.displayAlignment));
        QTextLayout layout(opt.text, opt.font);
        layout.setTextOption(layoutOption);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(textRect.width());
        line.setPosition(QPointF(0, 0));
        layout.endLayout();
        const QRect placed = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                                 layout.boundingRect().size().toSize(), textRect);
        layout.draw(p, QPointF(textRect.x(), placed.top()));
    }
};

// The view. Its look depends neither on the focus nor on its window being
// active (the current cell is framed and the selection keeps its colours
// either way), so gaining or losing either repaints nothing: a table window
// that is activated, or left for another, is not painted again. Where the
// palette's active and inactive colours differ, QWidget still repaints.
class GridView : public QTableView {
public:
    using QTableView::QTableView;

protected:
    bool viewportEvent(QEvent* e) override
    {
        if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate)
            return QAbstractScrollArea::viewportEvent(e);
        return QTableView::viewportEvent(e);
    }
    void focusInEvent(QFocusEvent* e) override
    {
        // Without a current cell the view's own handling gives it one.
        if (!currentIndex().isValid())
            return QTableView::focusInEvent(e);
        setAttribute(Qt::WA_InputMethodEnabled, currentIndex().flags() & Qt::ItemIsEditable);
    }
    void focusOutEvent(QFocusEvent*) override {}
};

} // namespace

Grid::Grid(QWidget* parent) : Grid(2, 2, parent) {}

Grid::Grid(int rows, int cols, QWidget* parent) : QWidget(parent), table_(new GridView(this))
{
    model_ = new GridModel(colAlign_, fixedAlign_, fixedCols_, this);
    table_->setModel(model_);
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
    // font small and the titles' padding thin so that "00:00" fits 550 twips,
    // and cut a text that does not fit rather than replace it by an ellipsis.
    QFont small = table_->font();
    small.setPointSizeF(8);
    table_->setFont(small);
    table_->horizontalHeader()->setFont(small);
    table_->verticalHeader()->setFont(small);
    table_->setTextElideMode(Qt::ElideNone);
    // The thin sections are the title row's (the fixed column's get them
    // when shown, in renumber); the cells draw their text themselves.
    table_->horizontalHeader()->setStyle(ThinSections::shared());
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

    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& cur, const QModelIndex&) {
                if (syncing_ || !cur.isValid())
                    return;
                setCurrentFromView(cur.row(), cur.column());
                emit rowColChange();
            });
    connect(table_, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
        if (viewRow(row_) != i.row() || viewCol(col_) != i.column())
            setCurrentFromView(i.row(), i.column());
        emit click();
    });
    connect(table_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex&) { emit dblClick(); });

    setRowHeight(rowHeightTwips_);
    setCols(cols);
    setRows(rows);
}

// ----- structure -------------------------------------------------------------

int Grid::rows() const { return model_->rowCount() + fixedRows_; }

void Grid::setColumnNames(const QStringList& names) { model_->setColumnNames(names); }
int Grid::cols() const { return model_->columnCount() + fixedCols_; }

void Grid::setRows(int n)
{
    n = std::max(n, fixedRows_);
    model_->setRows(n - fixedRows_);
    row_ = std::min(row_, n - 1);
    selStartRow_ = std::min(selStartRow_, n - 1);
    selEndRow_ = std::min(selEndRow_, n - 1);
    syncView();
}

void Grid::setCols(int n)
{
    n = std::max(n, fixedCols_);
    const int old = cols();
    colAlign_.resize(size_t(n), 0);
    fixedAlign_.resize(size_t(n), 0);
    colWidthTwips_.resize(size_t(n), defaultColWidthTwips);
    model_->setCols(n - fixedCols_);
    for (int c = std::max(old, fixedCols_); c < n; ++c)
        setColWidth(c, colWidthTwips_[size_t(c)]);
    col_ = std::min(col_, n - 1);
    selStartCol_ = std::min(selStartCol_, n - 1);
    selEndCol_ = std::min(selEndCol_, n - 1);
    syncView();
}

// Switches the fixed row or column, every text keeping its place in the
// grid's numbering.
void Grid::renumber(int fixedRows, int fixedCols)
{
    const int R = std::max(rows(), fixedRows), C = std::max(cols(), fixedCols);
    std::vector<QString> all(size_t(R * C));
    for (int r = 0; r < rows(); ++r)
        for (int c = 0; c < cols(); ++c)
            all[size_t(r * C + c)] = textMatrix(r, c);
    fixedRows_ = fixedRows;
    fixedCols_ = fixedCols;
    QStringList header, side;
    for (int c = fixedCols_; c < C; ++c)
        header << (fixedRows_ ? all[size_t(c)] : QString());
    for (int r = fixedRows_; r < R; ++r)
        side << (fixedCols_ ? all[size_t(r * C)] : QString());
    model_->reset(R - fixedRows_, C - fixedCols_,
                  [&](int vr, int vc) { return all[size_t((vr + fixedRows_) * C + vc + fixedCols_)]; }, header, side);
    corner_ = fixedRows_ && fixedCols_ ? all[0] : QString();
    table_->horizontalHeader()->setVisible(fixedRows_ == 1);
    table_->verticalHeader()->setVisible(fixedCols_ == 1);
    if (fixedCols_ == 1)
        table_->verticalHeader()->setStyle(ThinSections::shared());
    for (int c = 0; c < C; ++c)
        setColWidth(c, colWidthTwips_[size_t(c)]);
    syncView();
}

void Grid::setFixedRows(int n)
{
    n = std::clamp(n, 0, 1);
    if (n != fixedRows_)
        renumber(n, fixedCols_);
}

void Grid::setFixedCols(int n)
{
    n = std::clamp(n, 0, 1);
    if (n != fixedCols_)
        renumber(fixedRows_, n);
}

// ----- cells -----------------------------------------------------------------

QRect Grid::cellRect(int r, int c) const
{
    if (r < fixedRows_ || r >= rows() || c < fixedCols_ || c >= cols())
        return {};
    return table_->visualRect(model_->index(viewRow(r), viewCol(c)));
}

QString Grid::textMatrix(int r, int c) const
{
    if (r < 0 || c < 0 || r >= rows() || c >= cols())
        return QString();
    if (r < fixedRows_ && c < fixedCols_)
        return corner_;
    if (r < fixedRows_)
        return model_->headerText(viewCol(c));
    if (c < fixedCols_)
        return model_->sideText(viewRow(r));
    return model_->text(viewRow(r), viewCol(c));
}

void Grid::setTextMatrix(int r, int c, const QString& s)
{
    if (r < 0 || c < 0 || r >= rows() || c >= cols())
        return;
    if (r < fixedRows_ && c < fixedCols_)
        corner_ = s;
    else if (r < fixedRows_)
        model_->setHeaderText(viewCol(c), s);
    else if (c < fixedCols_)
        model_->setSideText(viewRow(r), s);
    else
        model_->setText(viewRow(r), viewCol(c), s);
}

void Grid::setRowTexts(int first, const std::vector<QString>& texts)
{
    if (first < fixedRows_ || texts.empty())
        return;
    model_->setRowTexts(viewRow(first), int(texts.size()), [&texts](int i) { return texts[size_t(i)]; }, false);
    syncView();
}

void Grid::setRowTexts(int first, int count, std::function<QString(int)> texts)
{
    if (first < fixedRows_ || count < 1)
        return;
    model_->setRowTexts(viewRow(first), count, std::move(texts), true);
    syncView();
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
    sm->setCurrentIndex(inData ? model_->index(viewRow(row_), viewCol(col_)) : QModelIndex(),
                        QItemSelectionModel::NoUpdate);
    sm->clearSelection();
    if (highlight_ && model_->rowCount() > 0 && model_->columnCount() > 0) {
        const int r0 = std::max(std::min(selStartRow_, selEndRow_), fixedRows_);
        const int r1 = std::max(selStartRow_, selEndRow_);
        const int c0 = std::max(std::min(selStartCol_, selEndCol_), fixedCols_);
        const int c1 = std::max(selStartCol_, selEndCol_);
        const bool single = r0 == r1 && c0 == c1 && !rowHighlight_;
        if (r0 <= r1 && c0 <= c1 && !single) {
            sm->select(QItemSelection(model_->index(viewRow(r0), viewCol(c0)), model_->index(viewRow(r1), viewCol(c1))),
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
    applyAlignment(c, false);
}

int Grid::fixedAlignment(int c) const { return c >= 0 && c < cols() ? fixedAlign_[size_t(c)] : 0; }

void Grid::setFixedAlignment(int c, int code)
{
    if (c < 0 || c >= cols() || fixedAlign_[size_t(c)] == std::clamp(code, 0, 2))
        return;
    fixedAlign_[size_t(c)] = std::clamp(code, 0, 2);
    applyAlignment(c, true);
}

void Grid::applyAlignment(int c, bool title)
{
    if (c >= 0 && c < cols())
        model_->alignmentChanged(c < fixedCols_ ? -1 : viewCol(c), title);
}

// ----- rows added and removed ------------------------------------------------

bool Grid::addItem(const QString& text, int index)
{
    if (index == -1)
        index = rows();
    if (index < fixedRows_ || index > rows())
        return false;
    QStringList parts = text.split(QChar(9));
    const QString side = fixedCols_ && !parts.isEmpty() ? parts.takeFirst() : QString();
    model_->insertRowAt(viewRow(index), side, parts);
    syncView();
    return true;
}

bool Grid::removeItem(int index)
{
    if (index < fixedRows_ || index >= rows())
        return false;
    model_->removeRowAt(viewRow(index));
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
    if (o == table_ && e->type() == QEvent::FocusIn) {
        // The view would make its first cell current on taking the focus
        // with none current: the grid keeps its own current cell (row 0
        // current means no entry chosen). Only then is the view set again,
        // since setting it repaints it (GridView: the focus alone does not).
        const QModelIndex current = table_->currentIndex();
        syncing_ = true;
        static_cast<QObject*>(table_)->event(e);
        syncing_ = false;
        if (table_->currentIndex() != current)
            syncView();
        return true;
    }
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
        case Qt::Key_Enter:
            if (enterKey_ == EnterKey::Character) {
                emit keyPress(13);
            } else if (!k->isAutoRepeat()) { // a held key acts once
                if (enterKey_ == EnterKey::Click)
                    emit click();
                else
                    emit dblClick();
            }
            return true;
        case Qt::Key_Escape: emit keyPress(27); return true;
        default: break;
        }
        // A paste is an edit of the cell too: the program's filter judges it
        // (and refuses it, as it would any control character it was given).
        if (k->matches(QKeySequence::Paste)) {
            emit keyPress(22);
            return true;
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
