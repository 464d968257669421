#pragma once
// The rules of the water-test entry: the thirteen measurements with their
// spinners, limits and messages, the presets of a new test and the values a
// stored test shows when it is changed.
#include "logbook/LogStore.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The thirteen measurements, in this order.
enum WaterMeasure {
    WmAmmonia, WmNitrite, WmNitrate, WmPh, WmSg, WmTemp, WmOxygen, WmDkh, WmCalcium, WmCopper,
    WmOrp, WmUser1, WmUser2, WaterMeasureCount
};

struct WaterMeasureSpec {
    QString box;          // object name of the measurement's box: "ammoniaEdit"
    QString spinner;      // object name of its spinner: "ammoniaSpinner"
    QString label;        // "Ammonia" (user tests: design text, replaced by the test names)
    QString tooltip;
    int divisor = 10;     // box value = spinner position / divisor
    double limit = 999;   // refused above
    QString numberMessage;   // user tests: without the name
    QString limitMessage;
    // Temperature, redox potential and the user tests may be below zero; a
    // concentration, pH or specific gravity may not.
    bool mayBeNegative = false;
};

const QVector<WaterMeasureSpec>& waterMeasures();

inline const QString kWaterDateMessage =
    QStringLiteral("You must enter a valid date to add a water quality log entry to the log.");
inline const QString kWaterTimeMessage = QStringLiteral(
    "You must enter a valid time in \"HH:MM:SS am\" format to add a water quality entry to the log.");

// The number message and the limit message of a measurement; the user tests
// begin theirs with the test's name.
QString waterNumberMessage(int measure, const QString& userName1, const QString& userName2);
QString waterLimitMessage(int measure, const QString& userName1, const QString& userName2);

// The message of a measurement that may not be negative: "Ammonia entries
// must not be negative."
QString waterNegativeMessage(int measure);

// What leaving a measurement box with this text shows, in order: the number
// message when the text is not a number, the negative message when it is a
// number below zero that the measurement cannot have, then the limit message
// when the number it begins with is above the limit. Empty: the text passes.
QStringList waterMeasureMessages(int measure, const QString& text, const QString& userName1,
                                 const QString& userName2);

// Text the spinner writes into its box at position p (p / divisor in its
// shortest form; pH always with three decimals).
QString waterSpinnerText(int measure, int position);

// The record's value of a measurement.
std::optional<double>& waterMeasureField(WaterLogRecord& rec, int measure);
const std::optional<double>& waterMeasureField(const WaterLogRecord& rec, int measure);

// One box preset: the spinner position (when it is set) is applied first,
// then the box text.
struct WaterBoxPreset {
    int measure = 0;
    std::optional<int> spinner;
    QString text;
};

// Whether a new test of a tank takes the saltwater presets: saltwater
// fish-only ("2") and reef ("3") tanks do, freshwater, brackish and pond tanks
// ("1", "4", "5") do not. A tank without a known water type follows the
// default water type of the options ("SALT" exactly).
bool waterPresetsAreSalt(const QString& tankWaterType, const QString& defWaterType);

// A new test: every measurement's box text and the spinners of pH, specific
// gravity and temperature, saltwater or freshwater.
QVector<WaterBoxPreset> waterNewPresets(bool saltwater);
inline const QString kWaterNewComment = QStringLiteral(" ");

// A stored test being changed: each measurement's spinner (value x factor,
// to the nearest integer) and its formatted text. A missing value shows as 0.
QVector<WaterBoxPreset> waterChangePresets(const WaterLogRecord& rec);
