#pragma once

#include "platform/FileWriter.h"

#include <QIODevice>

// One file being written by FileWriter: a random-access, unbuffered device over a hidden
// temporary file beside the target. Every write is checked at once; commit() syncs (for durable
// files), closes and renames, checking each step, and only then does the target change. A file
// that is not committed (a failed step, cancel(), destruction) is removed.
class AtomicFile : public QIODevice
{
public:
    AtomicFile(FileWriter& writer, FileWriter::Target target);
    ~AtomicFile() override;

    // Creates the temporary file and opens the device for reading and writing. False with
    // errorText() when it cannot be made.
    [[nodiscard]] bool begin();
    // Replaces the target with what was written. False, with errorText() and the target unchanged,
    // when any write or any step of the commit failed.
    [[nodiscard]] bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    // "Cannot write PATH: reason" after a failure, else empty.
    [[nodiscard]] QString errorText() const { return m_error; }
    // The file that commit() replaces: the target path, or where its link leads when followed.
    [[nodiscard]] QString finalPath() const { return m_final; }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool fail(int code);
    void discard();

    FileWriter& m_writer;
    FileWriter::Target m_target;
    QString m_final;
    QByteArray m_temporary;
    QString m_error;
    qint64 m_size = 0;
    int m_fd = -1;
};
