#include "tools/ConversionTable.h"

#include "core/Dates.h"

#include <QRegularExpression>
#include <array>
#include <cmath>

namespace {

struct Conversion {
    const char* key;
    double (*convert)(double);
};

// The factors are the calculator's own and no more precise ones (a fluid ounce
// is 30 mL, litres to gallons is 0.264), except a litre of water, which weighs
// 2.2046 lb: 2.25 would be 2 % off and disagree with a gallon of water at 8.337 lb.
const std::array<Conversion, 40> kConversions = {{
    {"Gallons (US gal)>Litres (L)", [](double x) { return x * 3.785; }},
    {"Litres (L)>Gallons (US gal)", [](double x) { return x * 0.264; }},
    {"Gallons (US gal)>Cubic Centimeters (cc)", [](double x) { return x * 3785; }},
    {"Cubic Centimeters (cc)>Gallons (US gal)", [](double x) { return x / 3785; }},
    {"Gallons (US gal)>Millilitres (mL)", [](double x) { return x * 3785; }},
    {"Litres (L)>Millilitres (mL)", [](double x) { return x * 1000; }},
    {"Litres (L)>Cubic Centimeters (cc)", [](double x) { return x * 1000; }},
    {"Litres (L) Water>Pounds(lb)", [](double x) { return x * 2.2046; }},
    {"Cubic Centimeters (cc)>Millilitres (mL)", [](double x) { return x; }},
    {"Millilitres (mL)>Cubic Centimeters (cc)", [](double x) { return x; }},
    {"Drops>Millilitres (mL)", [](double x) { return x / 20; }},
    {"Millilitres (mL)>Drops", [](double x) { return x * 20; }},
    {"Teaspoon (tsp)>Millilitres (mL)", [](double x) { return x * 5; }},
    {"Millilitres (mL)>Teaspoon (tsp)", [](double x) { return x / 5; }},
    {"Tablespoon (tbsp)>Millilitres (mL)", [](double x) { return x * 15; }},
    {"Millilitres (mL)>Tablespoon (tbsp)", [](double x) { return x / 15; }},
    {"Ounce (fl. oz)>Millilitres (mL)", [](double x) { return x * 30; }},
    {"Millilitres (mL)>Ounce(fl.oz)", [](double x) { return x / 30; }},
    {"Degrees Centigrade>Degrees Fahrenheit", [](double x) { return x * 1.8 + 32; }},
    {"Degrees Fahrenheit>Degrees Centigrade>", [](double x) { return (x - 32) / 1.8; }},
    {"Gallons Per Minute Flow (gpm)>Litres Per Second Flow(L/s)", [](double x) { return x * 0.0631; }},
    {"Litres Per Second Flow(L/s)>Gallons Per Minute Flow (gpm)", [](double x) { return x / 0.0631; }},
    {"Inches (in)>Millimeters (mm)", [](double x) { return x * 25.4; }},
    {"Millimeters (mm)>Inches (in)", [](double x) { return x / 25.4; }},
    {"Inches (in)>Centimeters (cm)", [](double x) { return x * 2.54; }},
    {"Centimeters (cm)>Inches (in)", [](double x) { return x / 2.54; }},
    {"Pounds (lb)>Kilograms (kg)", [](double x) { return x * 0.45359; }},
    {"Kilograms (kg)>Pounds (lb)", [](double x) { return x / 0.45359; }},
    {"Cubic Feet (ft^3)>Gallons (US gal)", [](double x) { return x * 7.48055; }},
    {"Gallons (US gal)>Cubic Feet (ft^3)", [](double x) { return x / 7.48055; }},
    {"Cubic Feet (ft^3)>Litres (L)", [](double x) { return x * 28.317; }},
    {"Litres (L)>Cubic Feet (ft^3)", [](double x) { return x / 28.317; }},
    {"Grams (g)>Ounces (oz)", [](double x) { return x * 0.03527; }},
    {"Ounces (oz)>Grams (g)", [](double x) { return x / 0.03527; }},
    {"Gallons (US gal)>Gallons (Imperial)", [](double x) { return x * 0.833; }},
    {"Gallons (Imperial)>Gallons (US gal)", [](double x) { return x / 0.833; }},
    {"Ounce (fl. oz)>Gallons (US gal)", [](double x) { return x / 128; }},
    {"Gallons (US gal)>Ounce (fl. oz)", [](double x) { return x * 128; }},
    {"Gallons (US gal) Water>Pounds(lb)", [](double x) { return x * 8.337; }},
    {"Pounds(lb)>Gallons (US gal) Water", [](double x) { return x / 8.337; }},
}};

} // namespace

const QStringList& conversionKeys()
{
    static const QStringList keys = [] {
        QStringList out;
        for (const Conversion& c : kConversions)
            out << QString::fromLatin1(c.key);
        return out;
    }();
    return keys;
}

QString conversionFromUnit(const QString& key)
{
    const qsizetype cut = key.indexOf(QLatin1Char('>'));
    return cut < 0 ? key : key.left(cut);
}

QString conversionToUnit(const QString& key)
{
    const qsizetype cut = key.indexOf(QLatin1Char('>'));
    return cut < 0 ? QString() : key.mid(cut + 1);
}

std::optional<double> convertValue(const QString& key, double value)
{
    const qsizetype index = conversionKeys().indexOf(key);
    if (index < 0)
        return std::nullopt;
    return kConversions[static_cast<size_t>(index)].convert(value);
}

QString formatConversionResult(double value)
{
    // Rounded once, from the decimal value (0.11355 shows as 0.1136), the way
    // every number the program shows is rounded.
    return formatNumber(value, QStringLiteral("###,###,###,###,##0.0000"));
}

ConversionOutcome convertTypedValue(const QString& key, const QString& typed)
{
    ConversionOutcome outcome;
    if (!conversionKeys().contains(key)) {
        outcome.status = ConversionOutcome::NoFormula;
        return outcome;
    }
    QString text = typed.trimmed();
    if (text.isEmpty()) {
        outcome.status = ConversionOutcome::EmptyValue;
        return outcome;
    }
    // "1,000,000" as the result box shows it, its first group 1 to 3 digits
    // with no leading 0; a comma anywhere else ("1,5", "0,250") is no number,
    // rather than a guess at what was meant.
    static const QRegularExpression grouped(
        QStringLiteral("^[+-]?[1-9][0-9]{0,2}(,[0-9]{3})+(\\.[0-9]*)?$"));
    if (text.contains(QLatin1Char(','))) {
        if (!grouped.match(text).hasMatch()) {
            outcome.status = ConversionOutcome::NotANumber;
            return outcome;
        }
        text.remove(QLatin1Char(','));
    }
    static const QRegularExpression numeric(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (!numeric.match(text).hasMatch()) {
        outcome.status = ConversionOutcome::NotANumber;
        return outcome;
    }
    // Read as every typed number is: one too small for a double is 0, one too
    // large for it is no number at all.
    const std::optional<double> number = parseNumber(text);
    if (!number) {
        outcome.status = ConversionOutcome::OutOfRange;
        return outcome;
    }
    const double result = *convertValue(key, *number);
    if (!std::isfinite(result)
        || std::fabs(result) > kLargestConversionResult) {
        outcome.status = ConversionOutcome::OutOfRange;
        return outcome;
    }
    outcome.status = ConversionOutcome::Converted;
    outcome.value = result;
    outcome.result = formatConversionResult(result);
    return outcome;
}

QString conversionNote(ConversionOutcome::Status status)
{
    switch (status) {
    case ConversionOutcome::Converted:
        return QString();
    case ConversionOutcome::NoFormula:
        return QStringLiteral("Select a formula by clicking on it. ");
    case ConversionOutcome::EmptyValue:
        return QStringLiteral("Type the number to convert in the \"Convert from:\" box, then click "
                              "Convert.");
    case ConversionOutcome::NotANumber:
        return QStringLiteral("The value to convert is not a number. Type a number such as 10, "
                              "2.5 or 1,000 (with a point for decimals), then click Convert.");
    case ConversionOutcome::OutOfRange:
        return QStringLiteral("The number is too large to convert: the result would have more "
                              "than 15 digits before the decimal point. Type a smaller number.");
    }
    return QString();
}
