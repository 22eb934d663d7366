#include "app/layer_lists.h"

#include "app/command_ids.h"
#include "app/layout_rules.h"

#include <QCursor>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>
#include <set>
#include <span>

namespace plazor {
namespace {

struct ColumnDef {
    const char* title;
    Qt::Alignment alignment;
};

// Every column is centred except the watermark's picture path.
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

// The paste and watermark lists open with the same five columns: number and rectangle.
std::vector<ColumnDef> numberAndRectangle() {
    return {{QT_TRANSLATE_NOOP("plazor::LayerList", "编号"), kCentred},
            {QT_TRANSLATE_NOOP("plazor::LayerList", "x"), kCentred},
            {QT_TRANSLATE_NOOP("plazor::LayerList", "y"), kCentred},
            {QT_TRANSLATE_NOOP("plazor::LayerList", "宽"), kCentred},
            {QT_TRANSLATE_NOOP("plazor::LayerList", "高"), kCentred}};
}

std::vector<ColumnDef> withColumns(std::vector<ColumnDef> columns, std::initializer_list<ColumnDef> more) {
    columns.insert(columns.end(), more);
    return columns;
}

const std::vector<ColumnDef>& columnsOf(LayerList::Kind kind) {
    static const std::vector<ColumnDef> paste =
        withColumns(numberAndRectangle(), {{QT_TRANSLATE_NOOP("plazor::LayerList", "层次"), kCentred},
                                           {QT_TRANSLATE_NOOP("plazor::LayerList", "溢出样式"), kCentred}});
    static const std::vector<ColumnDef> watermark =
        withColumns(numberAndRectangle(), {{QT_TRANSLATE_NOOP("plazor::LayerList", "图片路径"), kLeft}});
    static const std::vector<ColumnDef> slice = {{QT_TRANSLATE_NOOP("plazor::LayerList", "编号"), kCentred},
                                                 {QT_TRANSLATE_NOOP("plazor::LayerList", "y"), kCentred}};
    switch (kind) {
        case LayerList::Kind::Paste:
            return paste;
        case LayerList::Kind::Watermark:
            return watermark;
        case LayerList::Kind::Slice:
            break;
    }
    return slice;
}

std::span<const int> defaultWidthsOf(LayerList::Kind kind) {
    switch (kind) {
        case LayerList::Kind::Paste:
            return kPasteColumnWidths;
        case LayerList::Kind::Watermark:
            return kWatermarkColumnWidths;
        case LayerList::Kind::Slice:
            break;
    }
    return kSliceColumnWidths;
}

}  // namespace

LayerList::LayerList(Kind kind, QWidget* parent) : QTableWidget(parent), kind_(kind) {
    setObjectName(QString::number(listId()));
    const auto& columns = columnsOf(kind);
    setColumnCount(static_cast<int>(columns.size()));
    for (int c = 0; c < columnCount(); ++c) {
        auto* header = new QTableWidgetItem(tr(columns[static_cast<std::size_t>(c)].title));
        header->setTextAlignment(columns[static_cast<std::size_t>(c)].alignment);
        setHorizontalHeaderItem(c, header);
    }
    const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const std::vector<int> widths = fittedColumnWidths(defaultWidthsOf(kind), thickness);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, widths[static_cast<std::size_t>(c)]);

    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(kind == Kind::Paste ? QAbstractItemView::ExtendedSelection
                                         : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kListRowHeight);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);

    // The row of the current layer stays highlighted while another control has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &LayerList::emitSelectionChanges);
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        emit listEvent({listId(), ListEventKind::DoubleClick, row, column, false, QCursor::pos()});
    });
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex index = indexAt(pos);
        emit listEvent({listId(), ListEventKind::ContextMenu, index.row(), index.column(), false,
                        viewport()->mapToGlobal(pos)});
    });
}

int LayerList::listId() const {
    switch (kind_) {
        case Kind::Paste:
            return ctl::kPasteList;
        case Kind::Watermark:
            return ctl::kWatermarkList;
        case Kind::Slice:
            break;
    }
    return ctl::kSliceList;
}

void LayerList::appendRow(const std::vector<std::string>& cells) {
    insertRowAt(rowCount(), cells);
}

void LayerList::insertRowAt(int row, const std::vector<std::string>& cells) {
    row = std::clamp(row, 0, rowCount());
    insertRow(row);
    setRowTexts(row, cells);
}

void LayerList::setRowTexts(int row, const std::vector<std::string>& cells) {
    if (row < 0 || row >= rowCount()) return;
    const auto& columns = columnsOf(kind_);
    for (int c = 0; c < columnCount(); ++c) {
        const auto index = static_cast<std::size_t>(c);
        const QString text = index < cells.size() ? QString::fromStdString(cells[index]) : QString();
        QTableWidgetItem* cell = item(row, c);
        if (!cell) {
            cell = new QTableWidgetItem;
            cell->setTextAlignment(columns[index].alignment);
            setItem(row, c, cell);
        }
        cell->setText(text);
    }
}

void LayerList::setRows(const std::vector<std::vector<std::string>>& rows) {
    setRowCount(0);
    for (const auto& cells : rows)
        appendRow(cells);
}

std::vector<int> LayerList::selectedRowIndices() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void LayerList::emitSelectionChanges(const QItemSelection& selected, const QItemSelection& deselected) {
    const auto rowsOf = [](const QItemSelection& selection) {
        std::set<int> rows;
        for (const QItemSelectionRange& range : selection) {
            for (int r = range.top(); r <= range.bottom(); ++r)
                rows.insert(r);
        }
        return rows;
    };
    for (int row : rowsOf(deselected))
        emit listEvent({listId(), ListEventKind::SelectionChanged, row, -1, false, {}});
    for (int row : rowsOf(selected))
        emit listEvent({listId(), ListEventKind::SelectionChanged, row, -1, true, {}});
}

}  // namespace plazor
