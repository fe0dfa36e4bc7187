#pragma once

#include "catalogue-site/RequestLog.h"
#include "catalogue-site/SiteContent.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib
{
class Server;
struct Request;
struct Response;
} // namespace httplib

// The HTTP side of the site: listens on 127.0.0.1 only, serves up to kThreads requests at once
// on its own threads, delays every answer by the configured latency, writes the request log and
// puts SiteResponder's answers on the wire (including the stalled and cut ones). The content is
// built on a thread of its own once the server listens, so the address is known at once; requests
// that arrive before it is ready wait for it.
class SiteServer
{
public:
    using Collect = std::function<std::vector<IconEntry>()>;

    static constexpr int kThreads = 48;
    // A stalled answer ends when its client goes away, the server stops, or after this long.
    static constexpr int kStallLimitMs = 10 * 60 * 1000;

    SiteServer(Collect collect, FaultSet faults, int latencyMs, RequestLog* log);
    ~SiteServer();
    SiteServer(const SiteServer&) = delete;
    SiteServer& operator=(const SiteServer&) = delete;

    // Binds (port 0: a free port without a year in its number) and starts serving; once it
    // returns true, connections are accepted.
    bool start(int port, QString* error);
    // Stops accepting, ends stalled and delayed answers and joins the server's threads.
    void stop();
    // Waits until the content is built (start() must have succeeded); the number of icons.
    int waitForContent();

    [[nodiscard]] QString baseUrl() const { return m_base; }
    [[nodiscard]] int port() const { return m_port; }

private:
    void handle(const httplib::Request& req, httplib::Response& res);
    void deliverPartly(const httplib::Request& req, httplib::Response& res, const SiteAnswer& answer);
    // Waits up to ms milliseconds; false when the server stops first.
    bool pause(int ms);
    void logWhole(const httplib::Request& req, const httplib::Response& res);

    const SiteContent& content();

    Collect m_collect;
    FaultSet m_faults;
    int m_latencyMs;
    RequestLog* m_log;

    std::unique_ptr<httplib::Server> m_server;
    std::shared_future<std::shared_ptr<const SiteContent>> m_content;
    std::thread m_thread;
    QString m_base;
    int m_port = 0;

    std::mutex m_stopMutex;
    std::condition_variable m_stopped;
    std::atomic<bool> m_stopping{false};
};
