#pragma once
// The keeper's preferences: the settings store (application "ZEL", section
// "SETTINGS") for display and graph choices, CONFIG for the choices that belong
// to the data (default water type, names of the two user tests).
#include <QString>
#include <QVector>
#include <memory>

class AppContext;

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // Value of key in section "SETTINGS" of application "ZEL"; defaultValue when missing.
    virtual QString get(const QString& key, const QString& defaultValue) const = 0;
    virtual void set(const QString& key, const QString& value) = 0;
    // Why the last set did not reach the store (a full disk, a file that may
    // not be written); empty when it did.
    virtual QString writeError() const { return QString(); }
};

// The real store, on QSettings. An empty iniPath uses the per-user location;
// tests pass a file in a temporary folder.
std::unique_ptr<ISettingsStore> makeQSettingsStore(const QString& iniPath = QString());

inline const QString kNotFound = QStringLiteral("Not Found");

struct GraphType {
    QString caption;
    int code;
};
// The twelve graph types, in list order ("3D Bar" 0 ... "2D XY" 16).
const QVector<GraphType>& graphTypes();

struct Settings {
    QString graphChecks = QStringLiteral("0111000000000");
    int graphStyle = 1;
    int graphSkipZeroes = 0;
    QString defaultWaterType = QStringLiteral("FRESH");
    int graphPrintColor = 0;
    QString dateOrder = QStringLiteral("MMDDYY");
    QString dateDelimiter = QStringLiteral("/");
    QString dateMask = QStringLiteral("MM/DD/YY");
    bool useFileFreshwater = false;
    bool useFileSaltwater = false;
};

// "MMDDYY" + "/" -> "MM/DD/YY".
QString buildDateMask(const QString& dateOrder, const QString& delimiter);

// Load every setting (CONFIG first, then the store in its fixed key order) into
// ctx.settings and the module copies ctx.defWaterType, ctx.userFieldName1/2.
// Writes nothing to the store. Adds the default CONFIG row when it is missing.
void loadSettings(AppContext& ctx);

// What the options dialog takes from its controls at save time.
struct SettingsSaveInput {
    QString graphChecks;   // 13 characters "0"/"1"
    bool salt = false;     // saltwater is the default water type
    QString userFieldName1;
    QString userFieldName2;
};

// The OK branch of the options dialog: stores the eight keys, writes CONFIG and
// the module copies, rebuilds dateMask. Returns what could not be written, with
// the reason (empty when everything was saved).
QString saveSettings(AppContext& ctx, const SettingsSaveInput& input);
