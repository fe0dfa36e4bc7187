#include "support/FullDisk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <unistd.h>
#include <vector>

namespace
{

constexpr const char* kTmpfsVariable = "PICTOMINE_TEST_TMPFS";
constexpr int kChildWaitMs = 300000;
// Room for the test's own files before fill(): fixtures, executables' output, the fillers.
constexpr const char* kTmpfsSize = "size=24m";

// The command that runs `program` in a private mount namespace with a tmpfs mounted at `folder`.
QStringList inNamespace(const QString& folder, const QStringList& program)
{
    return QStringList{
               "-m",
               "--propagation",
               "private",
               "sh",
               "-c",
               QStringLiteral("mount -t tmpfs -o %1 pictomine-full \"$0\" && exec \"$@\"").arg(kTmpfsSize),
               folder} +
           program;
}

bool canMountTmpfs()
{
    static const bool can = [] {
        const QTemporaryDir probe;
        QProcess process;
        process.start("unshare", inNamespace(probe.path(), {"true"}));
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }();
    return can;
}

} // namespace

// A full disk without a file system to fill: writes succeed until the free bytes are used up,
// then fail with ENOSPC, part of a write first when it does not fit, as write(2) does.
class FullDisk::FailingWriter : public FileWriter
{
public:
    ssize_t writeAt(int fd, const char* data, size_t size, off_t offset) override
    {
        const qint64 room = m_free.load();
        if (room <= 0) {
            errno = ENOSPC;
            return -1;
        }
        const size_t n = std::min(size, size_t(room));
        m_free -= qint64(n);
        return FileWriter::writeAt(fd, data, n, offset);
    }
    std::atomic<qint64> m_free{std::numeric_limits<qint64>::max()};
};

bool FullDisk::ranOnTmpfs()
{
    if (qEnvironmentVariableIsSet(kTmpfsVariable) || !canMountTmpfs())
        return false;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString name = QString::fromLatin1(test->test_suite_name()) + '.' + test->name();
    const QTemporaryDir mountPoint;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kTmpfsVariable, mountPoint.path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start("unshare", inNamespace(mountPoint.path(),
                                       {QCoreApplication::applicationFilePath(), "--gtest_filter=" + name}));
    const bool ended = child.waitForFinished(kChildWaitMs);
    const QString output = QString::fromUtf8(child.readAll());
    EXPECT_TRUE(ended && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0)
        << "on a tmpfs:\n"
        << output.toStdString();
    // The run must have been this very test, on the tmpfs.
    EXPECT_TRUE(output.contains("full disk: tmpfs") && output.contains("[  PASSED  ] 1 test."))
        << output.toStdString();
    std::printf("full disk: tmpfs, in a private mount namespace\n");
    return true;
}

FullDisk::FullDisk() : m_failing(std::make_unique<FailingWriter>())
{
    const QString tmpfs = qEnvironmentVariable(kTmpfsVariable);
    if (!tmpfs.isEmpty()) {
        m_mode = Mode::Tmpfs;
        m_folder = tmpfs + "/disk";
        QDir().mkpath(m_folder);
    } else {
        m_ownFolder = std::make_unique<QTemporaryDir>();
        m_folder = m_ownFolder->path();
    }
    m_filler = QFileInfo(m_folder).path() + "/.filler";
}

FullDisk::~FullDisk()
{
    free();
}

FileWriter& FullDisk::writer()
{
    return m_mode == Mode::Tmpfs ? FileWriter::system() : *m_failing;
}

void FullDisk::fill(qint64 freeBytes)
{
    if (m_mode == Mode::Injected) {
        m_failing->m_free = freeBytes;
        return;
    }
    // Fill the tmpfs to the last byte with one file, then give back what is to stay free (tmpfs
    // counts whole pages, so the room left is freeBytes rounded down to a page, at least one).
    const int fd = ::open(QFile::encodeName(m_filler).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    ASSERT_GE(fd, 0);
    const std::vector<char> block(64 * 1024, 'f');
    for (size_t chunk = block.size(); chunk > 0;) {
        if (::write(fd, block.data(), chunk) < 0)
            chunk /= 2;
    }
    const off_t full = ::lseek(fd, 0, SEEK_END);
    ASSERT_EQ(::ftruncate(fd, std::max<off_t>(0, full - off_t(freeBytes))), 0);
    ::close(fd);
}

void FullDisk::free()
{
    if (m_mode == Mode::Injected)
        m_failing->m_free = std::numeric_limits<qint64>::max();
    else
        QFile::remove(m_filler);
}
