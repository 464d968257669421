#include "logbook/WaterEntry.h"

#include "core/Dates.h"

#include <QLocale>
#include <cmath>

const QVector<WaterMeasureSpec>& waterMeasures()
{
    auto m = [](const char* box, const char* spinner, const char* label, const char* tooltip,
                int divisor, double limit, const char* numberMessage, const char* limitMessage) {
        return WaterMeasureSpec{QString::fromLatin1(box), QString::fromLatin1(spinner),
                                QString::fromLatin1(label), QString::fromLatin1(tooltip), divisor, limit,
                                QString::fromLatin1(numberMessage), QString::fromLatin1(limitMessage)};
    };
    static const QVector<WaterMeasureSpec> specs = [&] {
    QVector<WaterMeasureSpec> list = {
        m("ammoniaEdit", "ammoniaSpinner", "Ammonia", "Ammonia measurement in PPM", 10, 999,
          "Ammonia entries must be a number.", "Ammonia entries must be less than 1000."),
        m("nitriteEdit", "nitriteSpinner", "Nitrite", "Nitrite measurement in PPM", 10, 999,
          "Nitrite entries must be a number.", "Nitrite entries must be less than 1000."),
        m("nitrateEdit", "nitrateSpinner", "Nitrate", "Nitrate measurement in PPM", 10, 999,
          "Nitrate entries must be a number.", "Nitrate entries must be less than 1000."),
        m("phEdit", "phSpinner", "ph", "ph value", 10, 99,
          "Ph entries must be a number.", "Ph entries must be less than 99."),
        m("sgEdit", "sgSpinner", "S.G.", "Specific Gravity Measurement", 1000, 9.999,
          "Specific Gravity entries must be a number.", "Specific Gravity entries must be less than 10."),
        m("tempEdit", "tempSpinner", "Temp.", "Temperature in degrees Farenheit", 10, 999,
          "Temperature entries must be a number.", "Temperature entries must be less than 999."),
        m("oxygenEdit", "oxygenSpinner", "Oxygen", "Oxygen measurement in PPM", 10, 999,
          "Oxygen entries must be a number.", "Oxygen entries must be less than 1000."),
        m("dkhEdit", "dkhSpinner", "dkh", "dKH measurement in PPM", 10, 999,
          "dkh entries must be a number.", "dkh entries must be less than 1000."),
        m("calciumEdit", "calciumSpinner", "Calcium", "Calcium Measurement in PPM", 10, 999,
          "Calcium entries must be a number.", "Calcium entries must be less than 1000."),
        m("copperEdit", "copperSpinner", "Copper", "Copper Measurement in PPM", 10, 999,
          "Copper entries must be a number.", "Copper entries must less than 1000."),
        m("orpEdit", "orpSpinner", "Redox", "Redox Value", 10, 999,
          "Orp entries must be a number.", "Orp entries must be less than 1000."),
        m("user1Edit", "user1Spinner", "User1", "User Value 1 Measurement", 10, 999,
          " entries must be a number.", " entries must be less than 1000."),
        m("user2Edit", "user2Spinner", "User2", "User Value 2 Measurement", 10, 999,
          " entries must be a number.", " entries must be less than 1000."),
    };
    for (int measure : {WmTemp, WmOrp, WmUser1, WmUser2})
        list[measure].mayBeNegative = true;
    return list;
    }();
    return specs;
}

namespace {
QString userPrefix(int measure, const QString& userName1, const QString& userName2)
{
    if (measure == WmUser1)
        return userName1;
    if (measure == WmUser2)
        return userName2;
    return QString();
}
} // namespace

QString waterNumberMessage(int measure, const QString& userName1, const QString& userName2)
{
    return userPrefix(measure, userName1, userName2) + waterMeasures().at(measure).numberMessage;
}

QString waterLimitMessage(int measure, const QString& userName1, const QString& userName2)
{
    return userPrefix(measure, userName1, userName2) + waterMeasures().at(measure).limitMessage;
}

QString waterNegativeMessage(int measure)
{
    QString text = waterMeasures().at(measure).numberMessage;
    text.replace(QStringLiteral("must be a number."), QStringLiteral("must not be negative."));
    return text;
}

QStringList waterMeasureMessages(int measure, const QString& text, const QString& userName1,
                                 const QString& userName2)
{
    QStringList out;
    const std::optional<double> value = parseNumber(text);
    if (!value)
        out << waterNumberMessage(measure, userName1, userName2);
    else if (*value < 0 && !waterMeasures().at(measure).mayBeNegative)
        out << waterNegativeMessage(measure);
    // The limit applies to the number the text begins with, whatever else it holds.
    if (leadingNumber(text) > waterMeasures().at(measure).limit)
        out << waterLimitMessage(measure, userName1, userName2);
    return out;
}

QString waterSpinnerText(int measure, int position)
{
    const double value = double(position) / double(waterMeasures().at(measure).divisor);
    if (measure == WmPh)
        return formatNumber(value, QStringLiteral("##0.000"));
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

std::optional<double>& waterMeasureField(WaterLogRecord& rec, int measure)
{
    switch (measure) {
    case WmAmmonia: return rec.ammonia;
    case WmNitrite: return rec.nitrite;
    case WmNitrate: return rec.nitrate;
    case WmPh: return rec.ph;
    case WmSg: return rec.sg;
    case WmTemp: return rec.temp;
    case WmOxygen: return rec.oxygen;
    case WmDkh: return rec.dkh;
    case WmCalcium: return rec.calcium;
    case WmCopper: return rec.copper;
    case WmOrp: return rec.orp;
    case WmUser1: return rec.custom1;
    default: return rec.custom2;
    }
}

const std::optional<double>& waterMeasureField(const WaterLogRecord& rec, int measure)
{
    return waterMeasureField(const_cast<WaterLogRecord&>(rec), measure);
}

bool waterPresetsAreSalt(const QString& tankWaterType, const QString& defWaterType)
{
    const QString code = tankWaterType.trimmed();
    if (code == QLatin1String("2") || code == QLatin1String("3"))
        return true;
    if (code == QLatin1String("1") || code == QLatin1String("4") || code == QLatin1String("5"))
        return false;
    return defWaterType == QLatin1String("SALT");
}

QVector<WaterBoxPreset> waterNewPresets(bool salt)
{
    const QString zero = QStringLiteral("0");
    QVector<WaterBoxPreset> p;
    p.append({WmAmmonia, std::nullopt, zero});
    p.append({WmNitrite, std::nullopt, zero});
    p.append({WmNitrate, std::nullopt, zero});
    if (salt) {
        p.append({WmPh, 84, formatNumber(8.4, QStringLiteral("#0.00"))});
        p.append({WmSg, 1023, QStringLiteral("1.023")});
    } else {
        p.append({WmPh, 78, formatNumber(7.8, QStringLiteral("#0.00"))});
        p.append({WmSg, 0, zero});
    }
    p.append({WmTemp, 780, QStringLiteral("78")});
    for (int m : {WmOrp, WmDkh, WmUser1, WmUser2, WmCopper, WmCalcium, WmOxygen})
        p.append({m, std::nullopt, zero});
    return p;
}

QVector<WaterBoxPreset> waterChangePresets(const WaterLogRecord& rec)
{
    struct Step {
        int measure;
        const char* format;
    };
    static const Step steps[] = {
        {WmAmmonia, "###0.000"}, {WmNitrite, "###0.000"}, {WmNitrate, "###0.000"},
        {WmPh, "#0.000"},        {WmOrp, "##0.000"},      {WmTemp, "##0.000"},
        {WmOxygen, "##0.000"},   {WmCalcium, "##0.000"},  {WmCopper, "##0.000"},
        {WmSg, "##0.000"},       {WmDkh, "##0.000"},      {WmUser1, "##0.000"},
        {WmUser2, "##0.000"},
    };
    QVector<WaterBoxPreset> p;
    for (const Step& s : steps) {
        const std::optional<double>& v = waterMeasureField(rec, s.measure);
        const double value = v.value_or(0.0);
        const int factor = waterMeasures().at(s.measure).divisor;
        // Half way between two positions goes to the even one.
        double pos = std::nearbyint(value * factor);
        pos = std::clamp(pos, 0.0, 10000.0);
        std::optional<int> spinner = int(pos);
        if (s.measure == WmOxygen && !v)
            spinner.reset();
        p.append({s.measure, spinner, formatNumber(value, QString::fromLatin1(s.format))});
    }
    return p;
}
