#pragma once

#include "platform/FileWriter.h"

#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <memory>

// A folder whose disk fills up on demand, for the cases a full disk must not break.
//
// Where this process may mount a file system (root, as on the project's machines), the test runs
// again by itself in a private mount namespace (`unshare -m`) on a small tmpfs, and fill() fills
// that tmpfs for real: the system's own write, sync and close fail. Elsewhere the folder is an
// ordinary one and writer() hands out a writer whose writes fail as a full disk's do (ENOSPC once
// the free bytes are used up). Either way the code under test gets writer(); the test names the
// way it ran on its output, and a test cannot pass through neither.
//
//     TEST(Suite, Case) {
//         FULL_DISK_CASE(disk);   // re-runs the test on a tmpfs when it can, then returns here
//         ... disk.folder(), disk.writer(), disk.fill(), disk.free() ...
//     }
class FullDisk
{
public:
    enum class Mode { Tmpfs, Injected };

    // In the test process: true when the test was run again on a tmpfs (its outcome is already
    // checked), so the caller returns. False when the test is to run here.
    [[nodiscard]] static bool ranOnTmpfs();

    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    [[nodiscard]] Mode mode() const { return m_mode; }
    [[nodiscard]] const char* modeName() const
    {
        return m_mode == Mode::Tmpfs ? "tmpfs" : "injected failures";
    }
    // An empty folder on the disk.
    [[nodiscard]] QString folder() const { return m_folder; }
    [[nodiscard]] QString filePath(const QString& name) const { return m_folder + '/' + name; }
    [[nodiscard]] FileWriter& writer();
    // From now on at most `freeBytes` more bytes can be written.
    void fill(qint64 freeBytes = 0);
    // The disk has room again.
    void free();

private:
    class FailingWriter;

    Mode m_mode = Mode::Injected;
    QString m_folder;
    std::unique_ptr<QTemporaryDir> m_ownFolder;
    std::unique_ptr<FailingWriter> m_failing;
    QString m_filler;
};

#define FULL_DISK_CASE(disk)                                                                                 \
    if (FullDisk::ranOnTmpfs())                                                                              \
        return;                                                                                              \
    FullDisk disk;                                                                                           \
    std::printf("full disk: %s\n", disk.modeName())
