#pragma once
// The species names files namessw.txt (saltwater and reef) and namesfw.txt
// (freshwater): one animal a line, the common name in columns 1-49 padded with
// blanks and the Latin name from column 50. Empty lines, lines starting with
// "!" and lines of 50 characters or fewer hold no name. The livestock dialog and
// the names cross-reference both read the files through this parser.
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVector>
#include <functional>
#include <optional>

inline const QString kSaltNamesFile = QStringLiteral("namessw.txt");
inline const QString kFreshNamesFile = QStringLiteral("namesfw.txt");

struct NameEntry {
    QString common;   // columns 1-49, trimmed
    QString display;  // the display name built from the common name
    QString latin;    // columns 50 to the end, trimmed
};

// "Yellow Tang" -> "Tang - Yellow " (the last word first, the rest keeps its
// trailing blank); a name without a blank is returned unchanged.
QString namesDisplayName(const QString& commonName);

// One line (without its line end; a trailing carriage return is ignored).
// Nothing for a line that holds no name. Columns and lengths count whole
// characters, so a character outside the Basic Multilingual Plane is one
// column and is never split between the common and the Latin name.
std::optional<NameEntry> parseNamesLine(QStringView line);

// The text of a names file: UTF-8 when the bytes are valid UTF-8 (a byte order
// mark is dropped), Latin-1 otherwise.
QString decodeNamesFileText(const QByteArray& bytes);

// Every name of a file's text, in file order. Lines may end in LF, CRLF or CR;
// the text is read in one pass, in time linear in its length.
QVector<NameEntry> parseNamesText(const QString& text);
void forEachNameInText(QStringView text, const std::function<void(const NameEntry&)>& onName);

// The path of fileName in dir, matching the name regardless of letter case;
// empty when there is none.
QString findNamesFile(const QString& dir, const QString& fileName);

// The status texts of a load: "Loading." at the start, a dot added every 20
// names, back to "Loading." every 2000 names (before that name's dot).
class NamesLoadProgress {
public:
    // Counts one more name and returns the new progress text.
    const QString& addName();
    // "45 names loaded."
    QString doneText() const;

private:
    QString m_text = QStringLiteral("Loading.");
    int m_count = 0;
};

struct NamesFileResult {
    enum Status { Loaded, Missing, Unreadable };
    Status status = Missing;
    int count = 0;
    QString error;
};

// Reads fileName (found regardless of case) in dir and hands every name to
// onName in file order.
NamesFileResult readNamesFile(const QString& dir, const QString& fileName,
                              const std::function<void(const NameEntry&)>& onName);

// Copies the shipped names files into startDir, each one only when the
// directory has no file of that name (in any letter case). True when both
// files are there afterwards; otherwise *problem says, file by file, why one
// could not be placed ("namessw.txt: a folder of that name is in the way").
bool installDefaultNameFiles(const QString& startDir, QString* problem = nullptr);

class QSqlDatabase;
// Adds the display names of the shipped names files to animallist ("2" for the
// saltwater file, "1" for the freshwater file), skipping names the list already
// holds for that type (in any letter case). One transaction; returns the number
// of names added, or -1 when the write failed and nothing was added.
int addShippedNamesToAnimalList(QSqlDatabase& db);
