#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int kNameAttempts = 16;
constexpr int kMaxLinkHops = 40;
// The temporary name keeps the end of the target's name (so a clean-up by pattern also finds one
// a crash left) and stays within the file system's 255-byte name limit.
constexpr qsizetype kMaxNameTail = 200;

// Where a chain of links at `path` leads; the path itself when it is no link.
QString followLinks(const QString& path)
{
    QString current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            break;
        current = info.symLinkTarget();
    }
    return current;
}

} // namespace

AtomicFile::AtomicFile(FileWriter& writer, FileWriter::Target target)
    : m_writer(writer), m_target(std::move(target))
{
    m_final = m_target.links == FileWriter::Links::Follow ? followLinks(m_target.path) : m_target.path;
}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::fail(int code)
{
    if (m_error.isEmpty()) {
        m_error = QStringLiteral("Cannot write %1: %2")
                      .arg(m_target.path, QString::fromLocal8Bit(std::strerror(code)));
    }
    setErrorString(m_error);
    return false;
}

void AtomicFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
    if (isOpen())
        QIODevice::close();
}

bool AtomicFile::begin()
{
    const QFileInfo info(m_final);
    const QByteArray folder = QFile::encodeName(info.path());
    const QByteArray name = QFile::encodeName(info.fileName()).right(kMaxNameTail);
    // A file that is replaced keeps its permissions; a new one gets 0666 less the umask.
    struct stat old {
    };
    const bool replacing = ::lstat(QFile::encodeName(m_final).constData(), &old) == 0 && S_ISREG(old.st_mode);
    for (int i = 0; i < kNameAttempts && m_fd < 0; ++i) {
        m_temporary =
            folder + "/." + QByteArray::number(QRandomGenerator::global()->generate(), 36) + "-" + name;
        m_fd = ::open(m_temporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        const int code = errno;
        m_temporary.clear();
        return fail(code);
    }
    if (replacing && ::fchmod(m_fd, old.st_mode & 07777) != 0) {
        const int code = errno;
        discard();
        return fail(code);
    }
    m_size = 0;
    return QIODevice::open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

qint64 AtomicFile::writeData(const char* data, qint64 size)
{
    if (m_fd < 0 || !m_error.isEmpty())
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = m_writer.writeAt(m_fd, data + done, size_t(size - done), off_t(pos() + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            fail(n < 0 ? errno : ENOSPC);
            return -1;
        }
        done += n;
    }
    m_size = std::max(m_size, pos() + done);
    return done;
}

qint64 AtomicFile::readData(char* data, qint64 maxSize)
{
    if (m_fd < 0)
        return -1;
    const ssize_t n = ::pread(m_fd, data, size_t(maxSize), off_t(pos()));
    return n < 0 ? -1 : qint64(n);
}

bool AtomicFile::commit()
{
    if (m_fd < 0 || !m_error.isEmpty()) {
        if (m_error.isEmpty())
            fail(EBADF);
        discard();
        return false;
    }
    int code = 0;
    if (m_target.sync == FileWriter::Sync::Durable && m_writer.syncFile(m_fd) != 0)
        code = errno;
    // The descriptor is gone after close() whatever it returns; a late write error shows here.
    const int fd = m_fd;
    m_fd = -1;
    if (m_writer.closeFile(fd) != 0 && code == 0)
        code = errno;
    if (code == 0 &&
        m_writer.renameFile(m_temporary.constData(), QFile::encodeName(m_final).constData()) != 0)
        code = errno;
    if (code != 0) {
        fail(code);
        discard();
        return false;
    }
    m_temporary.clear();
    QIODevice::close();
    return true;
}

void AtomicFile::cancel()
{
    discard();
}
