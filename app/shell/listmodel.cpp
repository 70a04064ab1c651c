#include "listmodel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>

#include "fracommon.h"
#include "listsort.h"
#include "sjis.h"

TListModel::TListModel(QObject* parent) : QAbstractTableModel(parent), iconFor_(TframeCommon::GridItemIcon) {}

void TListModel::SetColumns(const QStringList& captions) {
    beginResetModel();
    captions_ = captions;
    endResetModel();
}

void TListModel::SetColumnAlignment(int column, Qt::Alignment alignment) {
    while (alignments_.size() <= column) alignments_.append(Qt::AlignLeft | Qt::AlignVCenter);
    alignments_[column] = alignment | Qt::AlignVCenter;
}

void TListModel::Clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void TListModel::SetRows(std::vector<ListRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void TListModel::AddRow(ListRow row) {
    int n = Count();
    beginInsertRows(QModelIndex(), n, n);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void TListModel::RowChanged(int i) { emit dataChanged(index(i, 0), index(i, columnCount() - 1)); }

void TListModel::Sort(int sortColumn) {
    if (sortColumn == 0 || rows_.empty()) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<size_t> order = SortRows(rows_, sortColumn, [](const ListRow& r, int column) {
        return column < r.texts.size() ? r.texts[column].toStdString() : std::string();
    });
    std::vector<int> newRow(rows_.size());
    for (size_t i = 0; i < order.size(); ++i) newRow[order[i]] = static_cast<int>(i);
    // Selected rows and the current row move with their rows.
    QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& i : from) to << index(newRow[static_cast<size_t>(i.row())], i.column());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TListModel::SetSortMark(int sortColumn) {
    markColumn_ = sortColumn == 0 ? -1 : std::abs(sortColumn) - 1;
    markDescending_ = sortColumn < 0;
    if (!captions_.isEmpty()) emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(captions_.size()) - 1);
}

int TListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Count(); }
int TListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(captions_.size());
}

QVariant TListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count()) return {};
    const ListRow& r = rows_[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return index.column() < r.texts.size() ? r.texts[index.column()] : QString();
        case Qt::DecorationRole:
            if (index.column() == 0 && r.image >= 0 && iconFor_) return iconFor_(r.image);
            return {};
        case Qt::ForegroundRole:
            if (r.dimmed) return QColor(Qt::gray);
            if (r.color.isValid()) return r.color;
            return {};
        case Qt::UserRole: return r.data;
        case Qt::TextAlignmentRole:
            if (index.column() < alignments_.size()) return QVariant::fromValue(alignments_[index.column()]);
            return {};
        default: return {};
    }
}

QVariant TListModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || section < 0 || section >= captions_.size()) return {};
    if (role == Qt::DisplayRole) return captions_[section];
    if (role == Qt::TextAlignmentRole && section < alignments_.size())
        return QVariant::fromValue(alignments_[section]);
    if (role == Qt::DecorationRole && section == markColumn_) return TframeCommon::GridItemIcon(markDescending_ ? 4 : 3);
    return {};
}

TListView::TListView(QWidget* parent) : QTreeView(parent), model_(new TListModel(this)) {
    setModel(model_);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(10);
    connect(header(), &QHeaderView::sectionClicked, this, &TListView::columnClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { emit selectionChangedRows(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { emit selectionChangedRows(); });
}

void TListView::SetColumnWidths(const QList<int>& widths) {
    for (int i = 0; i < widths.size(); ++i) setColumnWidth(i, std::max(10, widths[i]));
}

QList<int> TListView::ColumnWidths() const {
    QList<int> out;
    for (int i = 0; i < model_->columnCount(); ++i) out << columnWidth(i);
    return out;
}

QList<int> TListView::SelectedRows() const {
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows()) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TListView::SelectRow(int row, bool clearOthers) {
    if (row < 0 || row >= model_->Count()) return;
    auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
    if (clearOthers) flags |= QItemSelectionModel::Clear;
    selectionModel()->select(model_->index(row, 0), flags);
    selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::NoUpdate);
    scrollTo(model_->index(row, 0));
}
