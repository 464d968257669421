#pragma once
// The three log lists of the logbook window as table models: their columns
// (headers, widths, alignments, number formats), the rows of one tank keyed by
// rowid, and the two ways a list is sorted - the Date column by a new query in
// date and time order, every other column inside the list by its value
// (numbers by value, text without regard to case).
#include "logbook/LogStore.h"

#include <QAbstractTableModel>
#include <QVector>

enum class LogColumnKind { Item, Number, Text, Date };

struct LogColumn {
    QString header;
    int widthTwips = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
    LogColumnKind kind = LogColumnKind::Text;
    QString format;         // number pattern ("###0.000") or date pattern; empty: as stored
};

// What a click on a column header asks for.
struct HeaderClick {
    bool requery = false;                     // Date column: refill in requeryOrder
    SortOrder requeryOrder = SortOrder::Ascending;
    int column = 0;                           // other columns: sort the items by it
    Qt::SortOrder order = Qt::AscendingOrder;
};

// "descending" exactly selects descending order; any other text ascending.
SortOrder sortOrderFromText(const QString& text);

class LogListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Header role carrying the designed column width in twips.
    static constexpr int WidthTwipsRole = Qt::UserRole + 1;
    // Data role carrying the row's rowid.
    static constexpr int RowIdRole = Qt::UserRole + 2;

    explicit LogListModel(QObject* parent = nullptr);

    virtual const QVector<LogColumn>& columns() const = 0;
    // The text of cell (record row r, column c), r in storage order.
    virtual QString cellText(int r, int column) const = 0;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Sorts the items inside the list by the values of the column.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Display text of (row, column) as shown.
    QString text(int row, int column) const;
    // The entry's date and time ("12/08/26 - 02:05:09 pm").
    QString itemText(int row) const { return text(row, 0); }
    qint64 rowidAt(int row) const;
    int rowOf(qint64 rowid) const;           // -1 when not listed

    void setDateMask(const QString& dateMask);

    // Column header click (k counts from 1); updates the list's sort state.
    HeaderClick columnClick(int k);
    // Sort state kept for the life of the list.
    bool sortsItself() const { return m_sorted; }
    // After a refill: a list that sorts its own items sorts the new ones too.
    void applyOwnSort();

protected:
    // Compares two stored records by a column; <0, 0, >0.
    virtual int compareRecords(int a, int b, int column) const = 0;
    virtual int recordCount() const = 0;
    virtual qint64 recordRowid(int r) const = 0;
    // Subclasses call these around replacing their records.
    void beginFill();
    void endFill();

    QString m_dateMask = QStringLiteral("MM/DD/YY");

private:
    QVector<int> m_order;       // display row -> record index
    bool m_sorted = false;
    int m_sortKey = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

class WaterLogListModel : public LogListModel {
    Q_OBJECT
public:
    using LogListModel::LogListModel;
    static const QVector<LogColumn>& waterColumns();
    const QVector<LogColumn>& columns() const override { return waterColumns(); }
    QString cellText(int r, int column) const override;
    void setRecords(QVector<WaterLogRecord> records);
    int recordCount() const override { return int(m_records.size()); }

protected:
    int compareRecords(int a, int b, int column) const override;
    qint64 recordRowid(int r) const override { return m_records[r].rowid; }

private:
    QVector<WaterLogRecord> m_records;
};

class LivestockListModel : public LogListModel {
    Q_OBJECT
public:
    using LogListModel::LogListModel;
    static const QVector<LogColumn>& livestockColumns();
    const QVector<LogColumn>& columns() const override { return livestockColumns(); }
    QString cellText(int r, int column) const override;
    void setRecords(QVector<LivestockRecord> records);
    int recordCount() const override { return int(m_records.size()); }

protected:
    int compareRecords(int a, int b, int column) const override;
    qint64 recordRowid(int r) const override { return m_records[r].rowid; }

private:
    QVector<LivestockRecord> m_records;
};

class MaintLogListModel : public LogListModel {
    Q_OBJECT
public:
    using LogListModel::LogListModel;
    static const QVector<LogColumn>& maintColumns();
    const QVector<LogColumn>& columns() const override { return maintColumns(); }
    QString cellText(int r, int column) const override;
    void setRecords(QVector<MaintLogRecord> records);
    int recordCount() const override { return int(m_records.size()); }

protected:
    int compareRecords(int a, int b, int column) const override;
    qint64 recordRowid(int r) const override { return m_records[r].rowid; }

private:
    QVector<MaintLogRecord> m_records;
};

// "Date - time" of an entry: the date with the date mask, the time as
// "hh:mm:ss am/pm" (upperMarker: "AM/PM"); a missing part is empty.
QString logItemText(const QDate& date, const QTime& time, const QString& dateMask, bool upperMarker);
