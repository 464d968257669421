#pragma once
// The conversion calculator's forty conversions: their keys (the unit converted
// from, ">", the unit converted to), the result of each, the reading of the
// number the keeper types and the format of the result.
#include <QString>
#include <QStringList>
#include <optional>

// The forty conversion keys in the calculator's list order.
const QStringList& conversionKeys();

// The part of a key before its first ">" and the part after it.
QString conversionFromUnit(const QString& key);
QString conversionToUnit(const QString& key);

// The value converted by the conversion with this key (matched exactly, case
// and blanks included); nothing for a key that is not one of the forty.
std::optional<double> convertValue(const QString& key, double value);

// The result as the calculator shows it: thousands grouped with ",", at least
// one integer digit and always four decimals, a halfway value rounded away from
// zero ("3,785,000,000.0000", "-17.7778", 0.11355 as "0.1136").
QString formatConversionResult(double value);

// Largest result the calculator shows: fifteen integer digits, as many as its
// result pattern "###,###,###,###,##0.0000" holds.
inline constexpr double kLargestConversionResult = 999'999'999'999'999.0;

struct ConversionOutcome {
    enum Status {
        Converted,     // result holds the formatted value
        NoFormula,     // no conversion chosen (or an unknown key)
        EmptyValue,    // nothing typed
        NotANumber,    // the text is not a number
        OutOfRange     // the number or its result is too large to show
    };
    Status status = NoFormula;
    double value = 0.0;   // the converted number when Converted
    QString result;       // formatted when Converted
};

// Reads the typed text as a number (C locale: "." for decimals; blanks around
// it, a sign, an exponent and "," between groups of three digits allowed) and
// converts it with the conversion of key.
ConversionOutcome convertTypedValue(const QString& key, const QString& typed);

// The note the calculator shows for an outcome that has no result (empty for
// Converted). NoFormula gives the calculator's own "Select a formula by
// clicking on it. ".
QString conversionNote(ConversionOutcome::Status status);
