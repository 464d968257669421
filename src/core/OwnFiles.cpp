#include "core/OwnFiles.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef Q_OS_UNIX

namespace {

QString reasonOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

bool writeWhole(int fd, const QByteArray& content)
{
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

bool writeOwnFile(const QString& path, const QByteArray& content, QString* error)
{
    const QByteArray native = QFile::encodeName(path);
    // Made new under the name, so never through a link: a name that is taken
    // is cleared and tried again, a few times, in case something is put
    // there again meanwhile.
    for (int turn = 0; turn < 8; ++turn) {
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int openError = errno;
            if (openError != EEXIST)
                return fail(error, reasonOf(openError));
            struct stat there = {};
            if (::lstat(native.constData(), &there) == 0 && S_ISDIR(there.st_mode))
                return fail(error, QStringLiteral("a folder of that name is in the way"));
            // Unlinking a link leaves the file it points to alone.
            if (::unlink(native.constData()) != 0 && errno != ENOENT)
                return fail(error, reasonOf(errno));
            continue;
        }
        const bool written = writeWhole(fd, content) && ::fsync(fd) == 0;
        const int writeError = errno;
        ::close(fd);
        if (!written) {
            ::unlink(native.constData());
            return fail(error, reasonOf(writeError));
        }
        syncFolder(QFileInfo(path).absolutePath());
        return true;
    }
    return fail(error, QStringLiteral("the name is taken again each time it is cleared"));
}

std::optional<QByteArray> readOwnFile(const QString& path, qint64 maxSize)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat opened = {};
    std::optional<QByteArray> content;
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)) {
        QByteArray bytes(qsizetype(maxSize), Qt::Uninitialized);
        qsizetype done = 0;
        bool ok = true;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                ok = false;
            if (n <= 0)
                break;
            done += n;
        }
        if (ok) {
            bytes.truncate(done);
            content = bytes;
        }
    }
    ::close(fd);
    return content;
}

bool nameIsTaken(const QString& path)
{
    struct stat there = {};
    return ::lstat(QFile::encodeName(path).constData(), &there) == 0;
}

QString flushToDisk(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return file.errorString();
    if (::fsync(file.handle()) != 0)
        return reasonOf(errno);
    return QString();
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

#else

bool writeOwnFile(const QString& path, const QByteArray& content, QString* error)
{
    if (QFileInfo(path).isDir()) {
        if (error)
            *error = QStringLiteral("a folder of that name is in the way");
        return false;
    }
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::NewOnly) || file.write(content) != content.size() || !file.flush()) {
        if (error)
            *error = file.errorString();
        file.remove();
        return false;
    }
    return true;
}

std::optional<QByteArray> readOwnFile(const QString& path, qint64 maxSize)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(maxSize);
}

bool nameIsTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString flushToDisk(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.flush())
        return file.errorString();
    return QString();
}

void syncFolder(const QString&)
{
}

#endif
