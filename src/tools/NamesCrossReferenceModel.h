#pragma once
// The rows of the common and Latin names cross-reference: one animal a row,
// its display name ("Tang - Yellow ") and its Latin name, sorted on either
// column. A header click turns sorting on that column ascending, or reverses
// the order when the list is already sorted on it.
#include <QAbstractTableModel>
#include <QString>
#include <QVector>

struct NameRow {
    QString common;   // the display name, last word first
    QString latin;
};
Q_DECLARE_TYPEINFO(NameRow, Q_RELOCATABLE_TYPE);

class NamesCrossReferenceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CommonColumn = 0, LatinColumn = 1 };

    explicit NamesCrossReferenceModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Removes every row.
    void clear();
    // Shows these rows, in the current sort when sorting is on.
    void setRows(QVector<NameRow> rows);

    // Sorts on column in order (case ignored; rows that compare equal keep
    // their order) and turns sorting on. Selections and other persistent
    // indexes follow their rows.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // A click on the header of column: the same column reverses the order,
    // another one sorts on it ascending.
    void sortByHeaderClick(int column);

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

private:
    // The row order for the current sort, as indexes into m_rows.
    QVector<int> sortedOrder() const;

    QVector<NameRow> m_rows;
    bool m_sortingOn = false;
    int m_sortColumn = CommonColumn;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
