#pragma once
// What the water-quality graph shows: the measurements the keeper chose to
// graph (with their labels), and the tank's water tests in pages of twenty,
// in date and time order. Pages are found by their place in that order
// (date, time, rowid), so entries that share a date and time are never lost
// at a page boundary, and turning a page reads only the page's rows.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTime>
#include <QVariant>
#include <QVector>
#include <optional>

// One measurement the graph can draw: its place in the graph choices
// ("Graph_Checks", 1 to 13), its waterlog column and the label it carries.
struct GraphSeriesChoice {
    int position = 0;
    QString column;
    QString label;
};

// The thirteen measurements in the order of the graph choices; the last two
// carry the names the keeper gave the user tests.
QVector<GraphSeriesChoice> graphMeasurements(const QString& userFieldName1, const QString& userFieldName2);
// The measurements whose character in `checks` is "1", in that order.
QVector<GraphSeriesChoice> chosenGraphSeries(const QString& checks, const QString& userFieldName1,
                                             const QString& userFieldName2);

// The keeper's date order ("MMDDYY", "DDMMYY", "YYMMDD") and delimiter.
struct GraphDateFormat {
    QString order = QStringLiteral("MMDDYY");
    QString delimiter = QStringLiteral("/");
};
// The label of an entry's row: month and day without leading zeros or year,
// in the keeper's order and joined by the keeper's delimiter ("3/5", "5-3");
// with "." it ends in "." as well ("5.3."), so that it never reads as a
// decimal number.
QString graphRowLabel(const QDate& date, const GraphDateFormat& format);

// A place in the tank's order of entries.
struct GraphEntryKey {
    QVariant logdate;   // as stored (ISO text, or null)
    QVariant logtime;
    qint64 rowid = 0;
};

// One entry of a page: its key, its date and one value per chosen series;
// a value left out (a stored null, or a zero the keeper skips) is a gap.
struct GraphEntry {
    GraphEntryKey key;
    QDate date;
    QVector<std::optional<double>> values;
};

struct GraphPageData {
    int totalEntries = 0;   // the tank's water tests, counted for this drawing
    int page = 1;
    int pageCount = 0;
    QVector<GraphEntry> entries;
    bool nextEnabled() const { return page < pageCount; }
    bool previousEnabled() const { return page >= 2; }
    // Whether any entry holds a value of a chosen measurement.
    bool hasValues() const;
};

// The paging through one tank's water tests.
class GraphPager {
public:
    explicit GraphPager(QSqlDatabase db, int pageSize = 20);

    int page() const { return m_page; }
    QString tankId() const { return m_tankId; }

    // Starts again at page 1 of the tank with this key.
    void startTank(const QString& tankId);
    // The next page begins after the last entry shown; the previous page holds
    // the entries just before the first entry shown.
    void turnToNextPage(const GraphEntryKey& lastShown);
    void turnToPreviousPage(const GraphEntryKey& firstShown);

    // Number of the tank's water tests.
    int countEntries() const;
    // Reads the page shown: a fresh count of the tank's entries, and the page's
    // entries with the values of `series`. A zero is left out when skipZeroes.
    GraphPageData readPage(const QVector<GraphSeriesChoice>& series, bool skipZeroes) const;

    static int pageCountFor(int entries, int pageSize);

private:
    // Where the page shown begins: at the first entry, or at a given entry
    // (inclusive), or just after one.
    enum class Start { First, At, After };

    QSqlDatabase m_db;
    int m_pageSize;
    QString m_tankId;
    int m_page = 1;
    Start m_start = Start::First;
    GraphEntryKey m_anchor;
};
