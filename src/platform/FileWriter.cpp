#include "platform/FileWriter.h"

#include "platform/AtomicFile.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

bool FileWriter::write(const Target& target, const QByteArray& bytes, QString* error)
{
    AtomicFile file(*this, target);
    const bool ok =
        file.begin() && file.write(bytes.constData(), bytes.size()) == bytes.size() && file.commit();
    if (!ok && error)
        *error = file.errorText();
    return ok;
}

std::unique_ptr<AtomicFile> FileWriter::create(const Target& target)
{
    return std::make_unique<AtomicFile>(*this, target);
}

ssize_t FileWriter::writeAt(int fd, const char* data, size_t size, off_t offset)
{
    return ::pwrite(fd, data, size, offset);
}

int FileWriter::syncFile(int fd)
{
    return ::fsync(fd);
}

int FileWriter::closeFile(int fd)
{
    return ::close(fd);
}

int FileWriter::renameFile(const char* from, const char* to)
{
    return std::rename(from, to);
}

FileWriter& FileWriter::system()
{
    static FileWriter writer;
    return writer;
}
