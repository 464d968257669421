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

std::optional<NameEntry> parseNamesLine(QStringView line)
{
    while (!line.isEmpty() && (line.back() == QLatin1Char('\r') || line.back() == QLatin1Char('\n')))
        line.chop(1);
    if (line.isEmpty() || line.front() == QLatin1Char('!'))
        return std::nullopt;
    // Columns count whole characters: a character outside the Basic
    // Multilingual Plane (two UTF-16 units) is one column and is never cut.
    qsizetype characters = 0;
    qsizetype commonEnd = line.size();   // UTF-16 index just past column 49
    for (qsizetype i = 0; i < line.size() && characters < kShortestNameLine; ++i) {
        if (line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate())
            ++i;
        ++characters;
        if (characters == kCommonWidth)
            commonEnd = i + 1;
    }
    if (characters < kShortestNameLine)
        return std::nullopt;
    NameEntry entry;
    entry.common = line.first(commonEnd).trimmed().toString();
    entry.display = namesDisplayName(entry.common);
    entry.latin = line.sliced(commonEnd).trimmed().toString();
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

void forEachNameInText(QStringView text, const std::function<void(const NameEntry&)>& onName)
{
    // One pass over the text: a line ends at LF, CR or CR LF.
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        if (end > start) {
            if (auto entry = parseNamesLine(text.sliced(start, end - start)))
                onName(*entry);
        }
        if (end + 1 < size && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
}

QVector<NameEntry> parseNamesText(const QString& text)
{
    QVector<NameEntry> names;
    forEachNameInText(text, [&names](const NameEntry& entry) { names.append(entry); });
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
    forEachNameInText(decodeNamesFileText(bytes), [&](const NameEntry& entry) {
        if (onName)
            onName(entry);
        ++result.count;
    });
    result.status = NamesFileResult::Loaded;
    return result;
}

bool installDefaultNameFiles(const QString& startDir, QString* problem)
{
    QStringList problems;
    for (const QString& name : {kSaltNamesFile, kFreshNamesFile}) {
        if (!findNamesFile(startDir, name).isEmpty())
            continue;
        const QString target = QDir(startDir).filePath(name);
        QFile shipped(QStringLiteral(":/names/") + name);
        if (!shipped.copy(target)) {
            problems << name + QStringLiteral(": ")
                            + (QFileInfo(target).isDir() ? QStringLiteral("a folder of that name is in the way")
                                                         : shipped.errorString());
            continue;
        }
        // Resource copies are read-only; the keeper may want to edit the list.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner
                                          | QFileDevice::WriteUser);
    }
    if (problem)
        *problem = problems.join(QStringLiteral("; "));
    return problems.isEmpty();
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
