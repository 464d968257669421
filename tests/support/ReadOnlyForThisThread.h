#pragma once
// A file or folder made read-only for the running test, also when the suite
// runs as the administrator (as it does on the build machines), who otherwise
// writes anywhere whatever a file's mode says.
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <optional>

#include <fcntl.h>
#include <linux/capability.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <unistd.h>

// For the running thread, the administrator's overrides of file permissions
// are set aside while the object lives, so a file's mode and owner hold as
// they do for any other user. A user who has none loses nothing. Setting them
// aside needs no privilege; they stay permitted, so they come back.
class FileOverridesSetAside {
public:
    // readToo: the override that lets the administrator read and list
    // anything goes too, not only the one that lets it write anything.
    explicit FileOverridesSetAside(bool readToo = false)
    {
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        if (readToo)
            reduced[0].effective &= ~(1u << CAP_DAC_READ_SEARCH);
        m_done = ::syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~FileOverridesSetAside()
    {
        if (m_done)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    FileOverridesSetAside(const FileOverridesSetAside&) = delete;
    FileOverridesSetAside& operator=(const FileOverridesSetAside&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_done = false;
};

class ReadOnlyForThisThread {
public:
    // Takes the write permission off path; when this user still may write to
    // it, first sets the administrator's overrides aside for this thread,
    // then sets the file system's immutable mark. Everything is undone when the
    // object goes.
    explicit ReadOnlyForThisThread(const QString& path)
        : m_path(path), m_native(QFile::encodeName(path)), m_permissions(QFile::permissions(path))
    {
        QFile::setPermissions(path, m_permissions & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser
                                                      | QFileDevice::WriteGroup | QFileDevice::WriteOther));
        if (writable())
            m_overridesSetAside.emplace();
        if (writable())
            m_immutable = setImmutable(true);
        m_holds = !writable();
    }
    ~ReadOnlyForThisThread()
    {
        if (m_immutable)
            setImmutable(false);
        m_overridesSetAside.reset();
        QFile::setPermissions(m_path, m_permissions);
    }
    ReadOnlyForThisThread(const ReadOnlyForThisThread&) = delete;
    ReadOnlyForThisThread& operator=(const ReadOnlyForThisThread&) = delete;

    // False when nothing here stops this user writing to the path.
    bool holds() const { return m_holds; }

private:
    // Tries the write itself: opens the file for writing, or makes and removes
    // a file in the folder. Nothing of the path's own content is changed.
    bool writable() const
    {
        if (QFileInfo(m_path).isDir()) {
            const QByteArray probe = m_native + "/.write-probe";
            const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0)
                return false;
            ::close(fd);
            ::unlink(probe.constData());
            return true;
        }
        const int fd = ::open(m_native.constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }

    // The immutable mark stops the administrator too; it needs a file system
    // that keeps it and the right to set it.
    bool setImmutable(bool on) const
    {
        const int fd = ::open(m_native.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    QString m_path;
    QByteArray m_native;
    QFileDevice::Permissions m_permissions;
    std::optional<FileOverridesSetAside> m_overridesSetAside;
    bool m_immutable = false;
    bool m_holds = false;
};
