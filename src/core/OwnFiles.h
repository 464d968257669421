#pragma once
// The small files the program keeps beside the keeper's data for itself (a
// backup's record, the mark of a first start not yet finished), and files
// forced out to the disk before they take the place of others. Whoever may
// write in that folder may leave a link under one of their names; such a file
// is never written or read through a link: a link found under the name is
// removed (what it points to is left alone) and the program's own file made
// new in its place.
#include <QByteArray>
#include <QString>
#include <optional>

// Puts a new file holding content at path in place of whatever stands under
// that name (a link, a file), made new there and never through a link. The
// file and its name in the folder are on the disk before it returns true. A
// folder under the name is refused; error names the reason.
bool writeOwnFile(const QString& path, const QByteArray& content, QString* error = nullptr);

// The first maxSize bytes of the program's own file at path; nothing when no
// file of its own stands there (none, a link, a folder) or it cannot be read.
std::optional<QByteArray> readOwnFile(const QString& path, qint64 maxSize);

// True when anything at all stands under the name, a dangling link included.
bool nameIsTaken(const QString& path);

// Forces a file's data out to the disk: a disk that fills up or fails may
// only say so then. Empty, or the reason it cannot be done.
QString flushToDisk(const QString& path);

// Makes a new name, or a rename, in folder last across a power cut.
void syncFolder(const QString& folder);
