#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

#include <memory>

class AtomicFile;

// The one way the program writes a file: into a hidden temporary file beside the target, every
// step checked (each write, the sync, the close), renamed over the target only once the new file
// is complete. A failed step leaves the earlier file byte for byte and no temporary file behind.
//
// The system calls sit behind virtual functions: a test passes a writer whose calls fail (a disk
// that fills up after so many bytes, a close that reports a late error) and the same checked path
// runs. Callers take the writer as a parameter; system() is the real one.
class FileWriter
{
public:
    // A file the user keeps (an export, a download, the keyword list) is forced to disk before it
    // replaces the old one; a cache file the program can make again is not.
    enum class Sync { Durable, Cached };
    // A symbolic link at the path: inside the application folder the link itself is replaced, so
    // nothing is ever written where it leads; a path the user chose is followed to its target.
    enum class Links { Replace, Follow };

    struct Target {
        QString path;
        Sync sync = Sync::Durable;
        Links links = Links::Replace;
    };

    FileWriter() = default;
    virtual ~FileWriter() = default;
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // The bytes as the file's whole content. False with "Cannot write PATH: reason" in `error`.
    [[nodiscard]] bool write(const Target& target, const QByteArray& bytes, QString* error = nullptr);
    // A device to stream the content into (random access, unbuffered); nothing replaces the
    // target until its commit() succeeds. Start it with AtomicFile::begin().
    [[nodiscard]] std::unique_ptr<AtomicFile> create(const Target& target);

    // The system's calls, each -1 with errno set on failure, as their POSIX namesakes.
    virtual ssize_t writeAt(int fd, const char* data, size_t size, off_t offset);
    virtual int syncFile(int fd);
    virtual int closeFile(int fd);
    virtual int renameFile(const char* from, const char* to);

    // The real writer; it holds no state.
    static FileWriter& system();
};
