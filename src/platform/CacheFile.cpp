#include "platform/CacheFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace
{

constexpr int kNameAttempts = 16;

bool failWith(QString* error, const QString& path, int code)
{
    if (error)
        *error = QStringLiteral("Cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(code)));
    return false;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

bool CacheFile::write(const QString& path, const QByteArray& bytes, QString* error)
{
    const QByteArray target = QFile::encodeName(path);
    const QFileInfo info(path);
    const QByteArray folder = QFile::encodeName(info.path()), name = QFile::encodeName(info.fileName());
    // A fresh hidden name beside the target (same file system, so the rename is atomic); the mode
    // is the usual 0666 less the umask, as for any new file.
    QByteArray temporary;
    int fd = -1;
    for (int i = 0; i < kNameAttempts && fd < 0; ++i) {
        temporary =
            folder + "/." + QByteArray::number(QRandomGenerator::global()->generate(), 36) + "-" + name;
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return failWith(error, path, errno);
    const bool written = writeAll(fd, bytes);
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.constData(), target.constData()) != 0) {
        const int code = !written ? writeError : errno;
        ::unlink(temporary.constData());
        return failWith(error, path, code);
    }
    return true;
}
