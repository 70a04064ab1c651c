// The list views of the program (items, partners, structure, parent search):
// a table model holding rows of texts with an image, a value and a colour,
// sorted by the signed column number with Shift-JIS byte order, and a view
// set up as a report list (whole rows, several rows selectable).
#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <QTreeView>
#include <QVariant>
#include <functional>
#include <vector>

struct ListRow {
    QStringList texts;   // column 0 is the row caption
    int image = -1;      // image index; -1 none
    QVariant data;       // the row's value (item category, direct flag, ...)
    QColor color;        // text colour; invalid = default
    bool dimmed = false; // drawn in grey
};

class TListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TListModel(QObject* parent = nullptr);

    // Column captions; the row images come from iconFor(image).
    void SetColumns(const QStringList& captions);
    void SetIconProvider(std::function<QIcon(int)> iconFor) { iconFor_ = std::move(iconFor); }
    // Alignment of a column's cells and header (default left).
    void SetColumnAlignment(int column, Qt::Alignment alignment);

    void Clear();
    void SetRows(std::vector<ListRow> rows);
    void AddRow(ListRow row);
    int Count() const { return static_cast<int>(rows_.size()); }
    const ListRow& Row(int i) const { return rows_[static_cast<size_t>(i)]; }
    ListRow& MutableRow(int i) { return rows_[static_cast<size_t>(i)]; }
    void RowChanged(int i);

    // Sorts by |sortColumn| - 1 (negative: descending); stable for equal
    // texts.
    void Sort(int sortColumn);
    // Header of column |sortColumn| - 1 shows image 3 (ascending) or 4
    // (descending); every other header none. 0 clears all marks.
    void SetSortMark(int sortColumn);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    QStringList captions_;
    QList<Qt::Alignment> alignments_;
    std::vector<ListRow> rows_;
    int markColumn_ = -1;
    bool markDescending_ = false;
    std::function<QIcon(int)> iconFor_;
};

class TListView : public QTreeView {
    Q_OBJECT
public:
    explicit TListView(QWidget* parent = nullptr);
    TListModel* Model() const { return model_; }
    // Column widths (minimum 10).
    void SetColumnWidths(const QList<int>& widths);
    QList<int> ColumnWidths() const;
    // Selected rows in list order.
    QList<int> SelectedRows() const;
    void SelectRow(int row, bool clearOthers = true);

signals:
    void columnClicked(int position);
    void selectionChangedRows();

private:
    TListModel* model_;
};
