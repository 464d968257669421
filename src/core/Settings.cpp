#include "core/Settings.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Dates.h"

#include <QDir>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <cmath>
#include <optional>

namespace {

const QString kApp = QStringLiteral("ZEL");
const QString kSection = QStringLiteral("SETTINGS");

class QSettingsStore : public ISettingsStore {
public:
    explicit QSettingsStore(const QString& iniPath)
        : m_settings(iniPath.isEmpty()
                         ? new QSettings(QSettings::NativeFormat, QSettings::UserScope,
                                         QStringLiteral("Brinestead"), kApp)
                         : new QSettings(iniPath, QSettings::IniFormat))
    {
    }
    QString get(const QString& key, const QString& defaultValue) const override
    {
        const QVariant value = m_settings->value(kSection + QLatin1Char('/') + key);
        return value.isValid() ? value.toString() : defaultValue;
    }
    void set(const QString& key, const QString& value) override
    {
        m_settings->setValue(kSection + QLatin1Char('/') + key, value);
        m_settings->sync();
        switch (m_settings->status()) {
        case QSettings::NoError:
            m_error.clear();
            break;
        case QSettings::AccessError:
            m_error = QStringLiteral("%1 cannot be written").arg(QDir::toNativeSeparators(m_settings->fileName()));
            break;
        case QSettings::FormatError:
            m_error = QStringLiteral("%1 is not a settings file").arg(QDir::toNativeSeparators(m_settings->fileName()));
            break;
        }
    }
    QString writeError() const override { return m_error; }

private:
    std::unique_ptr<QSettings> m_settings;
    QString m_error;
};

// The store's text for key, or nothing when the key is missing ("Not Found").
std::optional<QString> readKey(const AppContext& ctx, const QString& key)
{
    if (!ctx.settingsStore)
        return std::nullopt;
    const QString value = ctx.settingsStore->get(key, kNotFound);
    if (value == kNotFound)
        return std::nullopt;
    return value;
}

// Stores the key; false (the store's reason in *error, the first one kept)
// when it did not reach the store.
bool writeKey(AppContext& ctx, const QString& key, const QString& value, QString* error = nullptr)
{
    if (!ctx.settingsStore)
        return true;
    ctx.settingsStore->set(key, value);
    const QString failure = ctx.settingsStore->writeError();
    if (failure.isEmpty())
        return true;
    if (error && error->isEmpty())
        *error = failure;
    return false;
}

// A stored whole number; text that is no number keeps the default.
int readInt(const AppContext& ctx, const QString& key, int defaultValue)
{
    const auto text = readKey(ctx, key);
    if (!text)
        return defaultValue;
    const auto value = parseNumber(*text);
    if (!value || std::fabs(*value) > 32767.0)
        return defaultValue;
    return int(std::lround(*value));
}

bool truthy(const QVariant& v)
{
    if (v.isNull())
        return false;
    const QString text = v.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const double d = text.toDouble(&ok);
    return ok && d != 0.0;
}

// The first CONFIG row, adding the default row when the table has none.
struct ConfigRow {
    bool found = false;
    qlonglong rowid = 0;
    QVariant defaultSalt, user1, user2;
};

ConfigRow readConfig(AppContext& ctx)
{
    ConfigRow row;
    QSqlDatabase db = ctx.db();
    if (!db.isOpen())
        return row;
    auto select = [&] {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (q.exec(QStringLiteral("SELECT rowid, * FROM CONFIG ORDER BY rowid LIMIT 1")) && q.next()) {
            const QSqlRecord rec = q.record();
            row.found = true;
            row.rowid = q.value(0).toLongLong();
            auto field = [&](const char* name) {
                const int i = rec.indexOf(QLatin1String(name));
                return i < 0 ? QVariant() : q.value(i);
            };
            row.defaultSalt = field("default_salt");
            row.user1 = field("user_fieldname1");
            row.user2 = field("user_fieldname2");
        }
    };
    select();
    if (!row.found && ensureConfigRow(db))
        select();
    return row;
}

} // namespace

std::unique_ptr<ISettingsStore> makeQSettingsStore(const QString& iniPath)
{
    return std::make_unique<QSettingsStore>(iniPath);
}

const QVector<GraphType>& graphTypes()
{
    static const QVector<GraphType> types = {
        {QStringLiteral("3D Bar"), 0},          {QStringLiteral("2D Bar"), 1},
        {QStringLiteral("3D Line"), 2},         {QStringLiteral("2D Line"), 3},
        {QStringLiteral("3D Area"), 4},         {QStringLiteral("2D Area"), 5},
        {QStringLiteral("3D Step"), 6},         {QStringLiteral("2D Step"), 7},
        {QStringLiteral("3D Combination"), 8},  {QStringLiteral("2D Combination"), 9},
        {QStringLiteral("2D Pie"), 14},         {QStringLiteral("2D XY"), 16},
    };
    return types;
}

QString buildDateMask(const QString& dateOrder, const QString& delimiter)
{
    return dateOrder.left(2) + delimiter + dateOrder.mid(2, 2) + delimiter + dateOrder.right(2);
}

void loadSettings(AppContext& ctx)
{
    Settings& s = ctx.settings;

    // Data settings from CONFIG first.
    const ConfigRow config = readConfig(ctx);
    if (config.found && truthy(config.defaultSalt)) {
        s.defaultWaterType = QStringLiteral("SALT");
    } else {
        s.defaultWaterType = QStringLiteral("FRESH");
    }
    ctx.defWaterType = s.defaultWaterType;
    ctx.userFieldName1 = config.user1.isNull() ? QString() : config.user1.toString();
    ctx.userFieldName2 = config.user2.isNull() ? QString() : config.user2.toString();

    // Then the store, key by key in this order.
    s.dateOrder = QStringLiteral("MMDDYY");
    if (const auto v = readKey(ctx, QStringLiteral("Date_Order")))
        s.dateOrder = *v;
    if (s.dateOrder != QLatin1String("MMDDYY") && s.dateOrder != QLatin1String("DDMMYY")
        && s.dateOrder != QLatin1String("YYMMDD"))
        s.dateOrder = QStringLiteral("MMDDYY");

    s.dateDelimiter = QStringLiteral("/");
    if (const auto v = readKey(ctx, QStringLiteral("Date_Delim")))
        s.dateDelimiter = *v;
    if (s.dateDelimiter != QLatin1String("/") && s.dateDelimiter != QLatin1String("-")
        && s.dateDelimiter != QLatin1String("."))
        s.dateDelimiter = QStringLiteral("/");

    s.dateMask = buildDateMask(s.dateOrder, s.dateDelimiter);

    s.graphChecks = QStringLiteral("0111000000000");
    if (const auto v = readKey(ctx, QStringLiteral("Graph_Checks")))
        s.graphChecks = *v;

    s.graphStyle = readInt(ctx, QStringLiteral("Graph_Style"), 1);
    s.graphSkipZeroes = readInt(ctx, QStringLiteral("Graph_SkipZeroes"), 0);
    s.graphPrintColor = readInt(ctx, QStringLiteral("GraphPrintColor"), 0);

    s.useFileFreshwater = false;
    if (const auto v = readKey(ctx, QStringLiteral("UseFile_Fresh")))
        s.useFileFreshwater = v->toUpper() == QLatin1String("TRUE");
    s.useFileSaltwater = false;
    if (const auto v = readKey(ctx, QStringLiteral("UseFile_Salt")))
        s.useFileSaltwater = v->toUpper() == QLatin1String("TRUE");
}

QString saveSettings(AppContext& ctx, const SettingsSaveInput& input)
{
    Settings& s = ctx.settings;
    QString storeError;

    s.graphChecks = input.graphChecks;
    writeKey(ctx, QStringLiteral("Graph_Checks"), s.graphChecks, &storeError);
    writeKey(ctx, QStringLiteral("Graph_Style"), QString::number(s.graphStyle), &storeError);
    writeKey(ctx, QStringLiteral("Graph_SkipZeroes"), QString::number(s.graphSkipZeroes), &storeError);
    writeKey(ctx, QStringLiteral("GraphPrintColor"), QString::number(s.graphPrintColor), &storeError);

    writeKey(ctx, QStringLiteral("Date_Order"), s.dateOrder, &storeError);
    writeKey(ctx, QStringLiteral("Date_Delim"), s.dateDelimiter, &storeError);

    writeKey(ctx, QStringLiteral("UseFile_Fresh"),
             s.useFileFreshwater ? QStringLiteral("TRUE") : QStringLiteral("FALSE"), &storeError);
    writeKey(ctx, QStringLiteral("UseFile_Salt"),
             s.useFileSaltwater ? QStringLiteral("TRUE") : QStringLiteral("FALSE"), &storeError);

    s.defaultWaterType = input.salt ? QStringLiteral("SALT") : QStringLiteral("FRESH");
    ctx.defWaterType = s.defaultWaterType;
    ctx.userFieldName1 = input.userFieldName1;
    ctx.userFieldName2 = input.userFieldName2;

    QString configError;
    const ConfigRow config = readConfig(ctx);
    if (config.found) {
        QSqlQuery q(ctx.db());
        q.prepare(QStringLiteral("UPDATE CONFIG SET default_salt = ?, default_fresh = ?, "
                                 "user_fieldname1 = ?, user_fieldname2 = ? WHERE rowid = ?"));
        q.addBindValue(input.salt ? 1 : 0);
        q.addBindValue(input.salt ? 0 : 1);
        // Emptied boxes store empty text, not Null.
        q.addBindValue(input.userFieldName1.isNull() ? QStringLiteral("") : input.userFieldName1);
        q.addBindValue(input.userFieldName2.isNull() ? QStringLiteral("") : input.userFieldName2);
        q.addBindValue(config.rowid);
        if (!q.exec())
            configError = q.lastError().text();
    } else if (ctx.db().isOpen()) {
        configError = QStringLiteral("its row can be neither read nor added");
    }

    s.dateMask = buildDateMask(s.dateOrder, s.dateDelimiter);

    QStringList failures;
    if (!storeError.isEmpty())
        failures << QStringLiteral("the settings store (%1)").arg(storeError);
    if (!configError.isEmpty())
        failures << QStringLiteral("the CONFIG table of the database (%1)").arg(configError);
    return failures.join(QStringLiteral(" and "));
}
