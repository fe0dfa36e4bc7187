#pragma once

#include <QFile>
#include <QString>

#include <mutex>
#include <string>

// One line per answered request, "METHOD PATH?QUERY STATUS BYTES MILLISECONDS", written and
// flushed as each request ends; lines from concurrent requests never interleave.
class RequestLog
{
public:
    // Opens (appends to) path; false with `error` set when it cannot.
    bool open(const QString& path, QString* error);
    [[nodiscard]] bool isOpen() const { return m_file.isOpen(); }

    void write(const std::string& method, const std::string& target, int status, qint64 bytes, qint64 ms);

    // The line write() produces; control characters and spaces of the target are percent-encoded
    // so every line has exactly five fields.
    static QByteArray line(const std::string& method, const std::string& target, int status, qint64 bytes,
                           qint64 ms);

private:
    std::mutex m_mutex;
    QFile m_file;
};
