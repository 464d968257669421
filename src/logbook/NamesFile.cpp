#include "logbook/NamesFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

// Column 50 (1-based) starts the Latin name; a line needs at least 51 characters.
constexpr int kCommonWidth = 49;
constexpr int kShortestNameLine = 51;

} // namespace

QString namesDisplayName(const QString& commonName)
{
    const qsizetype p = commonName.lastIndexOf(QLatin1Char(' '));
    if (p < 0)
        return commonName;
    return commonName.mid(p + 1) + QStringLiteral(" - ") + commonName.left(p + 1);
}

std::optional<NameEntry> parseNamesLine(const QString& rawLine)
{
    QString line = rawLine;
    while (line.endsWith(QLatin1Char('\r')) || line.endsWith(QLatin1Char('\n')))
        line.chop(1);
    if (line.isEmpty() || line.startsWith(QLatin1Char('!')) || line.size() < kShortestNameLine)
        return std::nullopt;
    NameEntry entry;
    entry.common = line.left(kCommonWidth).trimmed();
    entry.display = namesDisplayName(entry.common);
    entry.latin = line.mid(kCommonWidth).trimmed();
    return entry;
}

QString decodeNamesFileText(const QByteArray& bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(data);
}

QVector<NameEntry> parseNamesText(const QString& text)
{
    QVector<NameEntry> names;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = normalised.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        if (auto entry = parseNamesLine(line))
            names.append(*entry);
    return names;
}

QString findNamesFile(const QString& dir, const QString& fileName)
{
    const QDir d(dir);
    const QString exact = d.filePath(fileName);
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList entries = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return d.filePath(entry);
    return QString();
}

const QString& NamesLoadProgress::addName()
{
    ++m_count;
    if (m_count % 2000 == 0)
        m_text = QStringLiteral("Loading.");
    if (m_count % 20 == 0)
        m_text += QLatin1Char('.');
    return m_text;
}

QString NamesLoadProgress::doneText() const
{
    return QString::number(m_count) + QStringLiteral(" names loaded.");
}

NamesFileResult readNamesFile(const QString& dir, const QString& fileName,
                              const std::function<void(const NameEntry&)>& onName)
{
    NamesFileResult result;
    const QString path = findNamesFile(dir, fileName);
    if (path.isEmpty()) {
        result.status = NamesFileResult::Missing;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = NamesFileResult::Unreadable;
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = NamesFileResult::Unreadable;
        result.error = file.errorString();
        return result;
    }
    const QVector<NameEntry> names = parseNamesText(decodeNamesFileText(bytes));
    for (const NameEntry& entry : names) {
        if (onName)
            onName(entry);
        ++result.count;
    }
    result.status = NamesFileResult::Loaded;
    return result;
}

bool installDefaultNameFiles(const QString& startDir)
{
    bool ok = true;
    for (const QString& name : {kSaltNamesFile, kFreshNamesFile}) {
        if (!findNamesFile(startDir, name).isEmpty())
            continue;
        const QString target = QDir(startDir).filePath(name);
        if (!QFile::copy(QStringLiteral(":/names/") + name, target)) {
            ok = false;
            continue;
        }
        // Resource copies are read-only; the keeper may want to edit the list.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner
                                          | QFileDevice::WriteUser);
    }
    return ok;
}

int addShippedNamesToAnimalList(QSqlDatabase& db)
{
    if (!db.transaction())
        return -1;
    int added = 0;
    QSqlQuery exists(db);
    exists.prepare(QStringLiteral("SELECT 1 FROM animallist WHERE animalname = ? COLLATE NOCASE "
                                  "AND AnimalType = ?"));
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO animallist (animalname, AnimalType) VALUES (?, ?)"));
    const struct { QString file; QString type; } sources[] = {{kSaltNamesFile, QStringLiteral("2")},
                                                            {kFreshNamesFile, QStringLiteral("1")}};
    for (const auto& source : sources) {
        QFile file(QStringLiteral(":/names/") + source.file);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const NameEntry& entry : parseNamesText(decodeNamesFileText(file.readAll()))) {
            exists.addBindValue(entry.display);
            exists.addBindValue(source.type);
            if (!exists.exec()) {
                db.rollback();
                return -1;
            }
            const bool known = exists.next();
            exists.finish();
            if (known)
                continue;
            insert.addBindValue(entry.display);
            insert.addBindValue(source.type);
            if (!insert.exec()) {
                db.rollback();
                return -1;
            }
            ++added;
        }
    }
    if (!db.commit()) {
        db.rollback();
        return -1;
    }
    return added;
}
