#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <string>

// A minimal HTTP/1.1 client on a plain socket, so tests can send any target (broken escapes,
// huge lines) and see exactly what arrives: headers, body bytes, and whether the body ended early
// or is still pending when the wait runs out.
struct RawResponse {
    bool connected = false;
    bool headersComplete = false;
    int status = 0;
    QByteArray contentType;
    qint64 contentLength = -1;
    QByteArray body;
    bool closedByServer = false;  // EOF seen
    bool timedOut = false;        // the wait ran out with the connection still open
    qint64 elapsedMs = 0;
};

class RawHttp {
public:
    // Sends "METHOD target" to 127.0.0.1:port with Connection: close and reads until the server
    // closes, the announced body is complete, or timeoutMs pass.
    // `headersArrived`, when given, is set as soon as the headers are in (for a test that waits on
    // another thread).
    static RawResponse get(int port, const std::string& target, int timeoutMs = 20000, const std::string& method = "GET",
                           std::atomic<bool>* headersArrived = nullptr);
    static int portOf(const QString& baseUrl);
};
