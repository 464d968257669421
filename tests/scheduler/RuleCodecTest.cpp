// Encoding rules from the editor's controls, loading them back, and the rule
// in words.
#include "scheduler/RuleCodec.h"
#include "scheduler/RuleExpansion.h"
#include "support/ParamNames.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sched;

namespace {

const QDate kToday(2026, 12, 8);
const QString kMDY = QStringLiteral("MMDDYY");
const QString kMask = QStringLiteral("MM/DD/YY");

EditorValues opened() { return EditorValues::startup(kToday); }

// What the task list hands over when it changes a stored rule.
SchedEditorVars storedVars(int type, int subtype, int interval, const QString& detail)
{
    SchedEditorVars vars;
    vars.task = QStringLiteral("Change filter");
    vars.startDate = QStringLiteral("01/01/26");
    vars.endDate = QStringLiteral("01/01/28");
    vars.type = type;
    vars.subtype = subtype;
    vars.interval = interval;
    vars.detail = detail;
    vars.englishDesc = QStringLiteral("stored words");
    return vars;
}

struct Encoded {
    int type, subtype, interval;
    QString detail;
};

Encoded store(const EditorValues& v, SchedEditorVars vars = storedVars(0, 0, 99, QStringLiteral("keep")),
              const QString& order = kMDY)
{
    ruleFromEditorValues(v, vars, order, kToday);
    return {vars.type, vars.subtype, vars.interval, vars.detail};
}

TEST(RuleCodec, EncodesTheRuleKinds)
{
    EditorValues weekly = opened();
    weekly.type = Weekly;
    weekly.weeklyWeeks = QStringLiteral("2");
    weekly.weeklyDays[1] = weekly.weeklyDays[4] = true;
    Encoded e = store(weekly);
    EXPECT_EQ(e.type, Weekly);
    EXPECT_EQ(e.interval, 2);
    EXPECT_EQ(e.detail, QStringLiteral("0100100"));

    EditorValues second = opened();
    second.type = Monthly;
    second.monthlySubtype = 1;
    second.monthlyXth = 1;
    second.monthlyWeekday = 2;
    second.monthlyInterval2 = QStringLiteral("3");
    e = store(second);
    EXPECT_EQ(e.type, Monthly);
    EXPECT_EQ(e.subtype, 1);
    EXPECT_EQ(e.interval, 3);
    EXPECT_EQ(e.detail, QStringLiteral("12"));

    EditorValues march = opened();
    march.type = Yearly;
    march.yearlySubtype = 0;
    march.yearlyMonth = 2;
    march.yearlyDay = QStringLiteral("15");
    e = store(march);
    EXPECT_EQ(e.type, Yearly);
    EXPECT_EQ(e.subtype, 0);
    EXPECT_EQ(e.interval, 15);
    EXPECT_EQ(e.detail, QStringLiteral("2"));
    march.yearlyMonth = 10;
    march.yearlyDay = QStringLiteral("5");
    e = store(march);
    EXPECT_EQ(e.interval, 5);
    EXPECT_EQ(e.detail, QStringLiteral("10"));

    EditorValues lastFriday = opened();
    lastFriday.type = Yearly;
    lastFriday.yearlySubtype = 1;
    lastFriday.yearlyXth = 4;
    lastFriday.yearlyWeekday = 5;
    lastFriday.yearlyMonth2 = 11;
    e = store(lastFriday);
    EXPECT_EQ(e.subtype, 1);
    EXPECT_EQ(e.detail, QStringLiteral("4511"));
    EXPECT_EQ(e.interval, 99) << "the interval is left as it was";

    EditorValues day = opened();
    day.type = Monthly;
    day.monthlyDay = QStringLiteral(" 15 ");
    EXPECT_EQ(store(day).detail, QStringLiteral(" 15 ")) << "stored as typed";

    // A number box is stored as its leading whole number, rounded, and kept
    // within what the interval column holds: -32768 to 32767.
    const struct {
        const char* typed;
        int stored;
    } numbers[] = {
        {"32766", 32766},   {"32767", 32767},   {"32767.4", 32767}, {"32767.5", 32767},
        {"32768", 32767},   {"40000 days", 32767}, {"1e10", 32767}, {"-32768", -32768},
        {"-32769", -32768}, {"-1e10", -32768},  {"2.5", 3},         {" 7 days", 7},
        {"every 7", 0},     {"", 0},
    };
    for (const auto& n : numbers) {
        SCOPED_TRACE(n.typed);
        EditorValues daily = opened();
        daily.dailyDays = QString::fromLatin1(n.typed);
        EXPECT_EQ(store(daily).interval, n.stored);
    }
    // Every box of a number is kept so.
    const struct {
        const char* box;
        std::function<void(EditorValues&)> type;
    } boxes[] = {
        {"weeks", [](EditorValues& v) { v.type = Weekly, v.weeklyWeeks = QStringLiteral("99999"); }},
        {"months", [](EditorValues& v) { v.type = Monthly, v.monthlyInterval = QStringLiteral("32768"); }},
        {"months of a weekday",
         [](EditorValues& v) {
             v.type = Monthly, v.monthlySubtype = 1, v.monthlyInterval2 = QStringLiteral("32768");
         }},
        {"day of the year", [](EditorValues& v) { v.type = Yearly, v.yearlyDay = QStringLiteral("32768"); }},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.box);
        EditorValues values = opened();
        b.type(values);
        EXPECT_EQ(store(values).interval, 32767);
    }
}

TEST(RuleCodec, FieldsTheRuleDoesNotSetKeepTheirValues)
{
    // A yearly weekday rule changed into a daily rule keeps its detail text.
    EditorValues daily = opened();
    daily.dailyDays = QStringLiteral("4");
    Encoded e = store(daily, storedVars(Yearly, 1, 1, QStringLiteral("4511")));
    EXPECT_EQ(e.type, Daily);
    EXPECT_EQ(e.interval, 4);
    EXPECT_EQ(e.detail, QStringLiteral("4511"));

    // Into weekly or once, the subtype stays.
    EditorValues weekly = opened();
    weekly.type = Weekly;
    weekly.weeklyDays[0] = true;
    EXPECT_EQ(store(weekly, storedVars(Monthly, 1, 1, QStringLiteral("12"))).subtype, 1);
    EditorValues onceRule = opened();
    onceRule.type = Once;
    onceRule.onceDate = QStringLiteral("12/25/98");
    EXPECT_EQ(store(onceRule, storedVars(Yearly, 1, 1, QStringLiteral("4511"))).subtype, 1);
}

TEST(RuleCodec, OnceDateIsKeptAsTheDayItself)
{
    EditorValues v = opened();
    v.type = Once;
    v.onceDate = QStringLiteral("25.12.98");
    const Encoded e = store(v, storedVars(0, 0, 1, QString()), QStringLiteral("DDMMYY"));
    EXPECT_EQ(e.detail, QStringLiteral("1998-12-25"));

    // Shown again in whatever order the keeper uses now; the day does not move.
    SchedEditorVars vars = storedVars(Once, 0, 1, e.detail);
    EXPECT_EQ(editorValuesFromRule(vars, opened(), QStringLiteral("DD.MM.YY"), QStringLiteral("DDMMYY"), kToday).onceDate,
              QStringLiteral("25.12.98"));
    EXPECT_EQ(editorValuesFromRule(vars, opened(), kMask, kMDY, kToday).onceDate, QStringLiteral("12/25/98"));
}

TEST(RuleCodec, OlderOnceTextIsReadInTheCurrentDateOrder)
{
    EXPECT_EQ(onceDateFromDetail(QStringLiteral("12/25/98"), kMDY, kToday), QDate(1998, 12, 25));
    EXPECT_EQ(onceDateFromDetail(QStringLiteral("25.12.98"), QStringLiteral("DDMMYY"), kToday), QDate(1998, 12, 25));
    EXPECT_EQ(onceDateFromDetail(QStringLiteral("2031-03-04"), QStringLiteral("DDMMYY"), kToday), QDate(2031, 3, 4));
    EXPECT_FALSE(onceDateFromDetail(QStringLiteral("xx"), kMDY, kToday).isValid());
    EXPECT_FALSE(onceDateFromDetail(QString(), kMDY, kToday).isValid());

    // The expansion sees the date, a 2030s one included.
    MaintSchedRecord row;
    row.SchedRtype = Once;
    row.SchedDetailText = QStringLiteral("03/04/31");
    const SchedRule r = ruleFromRecord(row, kMDY, kToday);
    EXPECT_EQ(expandRule(r, ExpansionWindow::unbounded()), QVector<QDate>{QDate(2031, 3, 4)});
}

// Loading a stored rule and storing it untouched gives back the same encoding.
TEST(RuleCodec, UnchangedRuleSurvivesLoadAndStore)
{
    const SchedEditorVars rules[] = {
        storedVars(Daily, 0, 3, QStringLiteral("old")),
        storedVars(Daily, 1, 1, QString()),
        storedVars(Weekly, 1, 2, QStringLiteral("0100100")),
        storedVars(Monthly, 0, 2, QStringLiteral("15")),
        storedVars(Monthly, 1, 3, QStringLiteral("12")),
        storedVars(Yearly, 0, 15, QStringLiteral("2")),
        storedVars(Yearly, 1, 7, QStringLiteral("4511")),
        storedVars(Once, 0, 1, QStringLiteral("1998-12-25")),
    };
    for (const SchedEditorVars& before : rules) {
        SchedEditorVars after = before;
        const EditorValues shown = editorValuesFromRule(before, opened(), kMask, kMDY, kToday);
        // A once rule is worded afresh, its date in the keeper's current order.
        const QString words =
            before.type == Once ? QStringLiteral("Only once on 12/25/98.") : QStringLiteral("stored words");
        EXPECT_EQ(shown.englishDesc, words);
        ruleFromEditorValues(shown, after, kMDY, kToday);
        EXPECT_EQ(after.type, before.type);
        EXPECT_EQ(after.subtype, before.subtype);
        EXPECT_EQ(after.interval, before.interval);
        EXPECT_EQ(after.detail, before.detail) << before.detail.toStdString();
        EXPECT_EQ(after.englishDesc, words);
        EXPECT_EQ(after.startDate, before.startDate);
    }
}

TEST(RuleCodec, LoadingOddRows)
{
    // An old row: Null subtype, detail and wording -> daily every N days, worded afresh.
    MaintSchedRecord old;
    old.SchedTask = QStringLiteral("Top off");
    old.SchedStartDate = QDate(1998, 1, 1);
    old.SchedEndDate = QDate(2000, 1, 1);
    old.SchedInterval = 7;
    old.SchedRtype = Daily;
    SchedEditorVars vars = varsFromRecord(old, kMask);
    EXPECT_EQ(vars.startDate, QStringLiteral("01/01/98"));
    EditorValues v = editorValuesFromRule(vars, opened(), kMask, kMDY, kToday);
    EXPECT_EQ(v.type, Daily);
    EXPECT_EQ(v.dailySubtype, 0);
    EXPECT_EQ(v.dailyDays, QStringLiteral("7"));
    EXPECT_EQ(v.englishDesc, QStringLiteral("Every 7 days."));

    // A monthly day loses its blanks when shown.
    v = editorValuesFromRule(storedVars(Monthly, 0, 1, QStringLiteral(" 15 ")), opened(), kMask, kMDY, kToday);
    EXPECT_EQ(v.monthlyDay, QStringLiteral("15"));

    // Hand-edited digits: an ordinal past "Last" is the last; an impossible
    // weekday or month selects nothing instead of failing.
    v = editorValuesFromRule(storedVars(Yearly, 1, 1, QStringLiteral("9913")), opened(), kMask, kMDY, kToday);
    EXPECT_EQ(v.yearlyXth, 4);
    EXPECT_EQ(v.yearlyWeekday, -1);
    EXPECT_EQ(v.yearlyMonth2, -1);
    v = editorValuesFromRule(storedVars(Monthly, 1, 1, QStringLiteral("x")), opened(), kMask, kMDY, kToday);
    EXPECT_EQ(v.monthlyXth, 0);
    EXPECT_EQ(v.monthlyWeekday, 0);

    // An unknown type shows only the task and the dates.
    v = editorValuesFromRule(storedVars(9, 0, 5, QStringLiteral("1")), opened(), kMask, kMDY, kToday);
    EXPECT_EQ(v.task, QStringLiteral("Change filter"));
    EXPECT_EQ(v.startDate, QStringLiteral("01/01/26"));
    EXPECT_EQ(v.type, Daily);
    EXPECT_EQ(v.dailyDays, QStringLiteral("1"));
    EXPECT_EQ(v.englishDesc, QStringLiteral("Every 1 days."));
}

TEST(RuleCodec, HugeOrOddStoredMonthsSelectNoMonth)
{
    // Stored text the program never writes: a yearly rule's month that is too
    // large for any whole number, negative, fractional or past December
    // selects no month (and is never converted out of range on the way).
    struct Case {
        const char* name;
        int subtype;
        const char* detail;
    };
    const Case cases[] = {
        {"huge month", 0, "1e10"},       {"huge negative month", 0, "-1e10"},
        {"month past December", 0, "12"}, {"fractional month", 0, "3.5"},
        {"Xth month past December", 1, "1112"}, {"negative Xth month", 1, "11-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const EditorValues v = editorValuesFromRule(storedVars(Yearly, c.subtype, 1, QString::fromLatin1(c.detail)),
                                                    opened(), kMask, kMDY, kToday);
        EXPECT_EQ(v.type, Yearly);
        EXPECT_EQ(c.subtype == 0 ? v.yearlyMonth : v.yearlyMonth2, -1);
    }
    // A month in range is still selected.
    EXPECT_EQ(editorValuesFromRule(storedVars(Yearly, 0, 1, QStringLiteral("11")), opened(), kMask, kMDY, kToday)
                  .yearlyMonth,
              11);
}

TEST(RuleCodec, NewReminderPresetAndStoredDates)
{
    const SchedEditorVars vars = newTaskVars(QDate(2028, 2, 29), kMask);
    EXPECT_EQ(vars.task, QString());
    EXPECT_EQ(vars.startDate, QStringLiteral("02/29/28"));
    EXPECT_EQ(vars.endDate, QStringLiteral("02/28/30"));
    EXPECT_EQ(vars.type, Daily);
    EXPECT_EQ(vars.interval, 1);

    // The dates the keeper typed are the dates stored.
    SchedEditorVars typed = storedVars(Daily, 0, 1, QString());
    typed.startDate = QStringLiteral("25-12-31");
    typed.endDate = QStringLiteral("01-02-32");
    const MaintSchedRecord rec = recordFromVars(typed, QStringLiteral("DDMMYY"), kToday);
    EXPECT_EQ(rec.SchedStartDate, QDate(2031, 12, 25));
    EXPECT_EQ(rec.SchedEndDate, QDate(2032, 2, 1));
}

TEST(RuleCodec, ControlsGiveTheRuleTheyShow)
{
    EditorValues v = opened();
    v.type = Weekly;
    v.weeklyWeeks = "2";
    v.weeklyDays[1] = v.weeklyDays[4] = true;
    v.startDate = "01/07/26";
    v.endDate = "01/31/26";
    EXPECT_EQ(expandRule(ruleFromEditor(v, kMDY, kToday), ExpansionWindow::unbounded()),
              (QVector<QDate>{{2026, 1, 12}, {2026, 1, 26}, {2026, 1, 8}, {2026, 1, 22}}));

    v.type = Once;
    v.onceDate = "02/30/26";
    EXPECT_FALSE(ruleFromEditor(v, kMDY, kToday).once.isValid());
    v.onceDate = "02/28/26";
    EXPECT_EQ(ruleFromEditor(v, kMDY, kToday).once, QDate(2026, 2, 28));
}

// ---- the rule in words ------------------------------------------------------

struct WordingCase {
    const char* name;
    std::function<void(EditorValues&)> set;
    const char* expected;
};

void PrintTo(const WordingCase& c, std::ostream* os) { *os << c.name; }

class Wording : public ::testing::TestWithParam<WordingCase> {};

TEST_P(Wording, ReadsExactly)
{
    EditorValues v = opened();
    GetParam().set(v);
    const auto words = describeRule(v);
    if (GetParam().expected) {
        ASSERT_TRUE(words.has_value());
        EXPECT_EQ(words->toStdString(), GetParam().expected);
    } else {
        EXPECT_FALSE(words.has_value());
    }
}

const WordingCase kWording[] = {
    {"every 3 days", [](EditorValues& v) { v.dailyDays = "3"; }, "Every 3 days."},
    {"every 1 days", [](EditorValues& v) { v.dailyDays = "1"; }, "Every 1 days."},
    {"box text taken as it stands", [](EditorValues& v) { v.dailyDays = " 2x"; }, "Every  2x days."},
    {"every weekday", [](EditorValues& v) { v.dailySubtype = 1; }, "Every Weekday (Mon, Tue, Wed, Thu, Fri)."},
    {"every 2 weeks on Monday and Thursday",
     [](EditorValues& v) { v.type = Weekly; v.weeklyWeeks = "2"; v.weeklyDays[4] = v.weeklyDays[1] = true; },
     "Every 2 week(s) on Mon, Thu."},
    {"weekly, no day ticked",
     [](EditorValues& v) { v.type = Weekly; v.weeklyWeeks = "2"; },
     "Every 2 week(s) on ."},
    {"weekly, Sunday and Saturday",
     [](EditorValues& v) { v.type = Weekly; v.weeklyDays[6] = v.weeklyDays[0] = true; },
     "Every 1 week(s) on Sun, Sat."},
    {"day 15 of every 1 months",
     [](EditorValues& v) { v.type = Monthly; v.monthlyDay = "15"; },
     "Day 15 of every 1 months."},
    {"second Tuesday of every 3 months",
     [](EditorValues& v) { v.type = Monthly; v.monthlySubtype = 1; v.monthlyXth = 1; v.monthlyWeekday = 2; v.monthlyInterval2 = "3"; },
     "The Second Tuesday of every 3 month(s)."},
    {"every year on 15 March",
     [](EditorValues& v) { v.type = Yearly; v.yearlyMonth = 2; v.yearlyDay = "15"; },
     "Every year on March 15."},
    {"last Friday of December",
     [](EditorValues& v) { v.type = Yearly; v.yearlySubtype = 1; v.yearlyXth = 4; v.yearlyWeekday = 5; v.yearlyMonth2 = 11; },
     "The Last Friday of every December."},
    {"fourth is spelled the lists' way",
     [](EditorValues& v) { v.type = Monthly; v.monthlySubtype = 1; v.monthlyXth = 3; v.monthlyWeekday = 0; },
     "The Forth Sunday of every 1 month(s)."},
    {"once", [](EditorValues& v) { v.type = Once; v.onceDate = "12/25/98"; },
     "Only once on 12/25/98."},
    {"a type with neither variant keeps the caption",
     [](EditorValues& v) { v.type = Monthly; v.monthlySubtype = -1; },
     nullptr},
    {"no type keeps the caption", [](EditorValues& v) { v.type = -1; }, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Sentences, Wording, ::testing::ValuesIn(kWording), NameOfCase());

} // namespace
