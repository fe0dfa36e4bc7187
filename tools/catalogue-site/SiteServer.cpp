#include "catalogue-site/SiteServer.h"

#include "catalogue-site/LoopbackPort.h"

#include <httplib.h>

#include <sys/socket.h>

#include <chrono>
#include <cstdio>

namespace
{
constexpr int kBindAttempts = 8;
constexpr time_t kKeepAliveSeconds = 2; // also bounds how long stop() waits for idle connections
constexpr size_t kKeepAliveRequests = 10000;
constexpr int kBacklog = 512;
constexpr int kStallSliceMs = 100;

using Clock = std::chrono::steady_clock;
// Start of the request the current server thread is answering (set as it arrives).
thread_local Clock::time_point t_requestStart = Clock::now();

qint64 elapsedMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t_requestStart).count();
}

// Shared between a partly delivered answer's provider and its releaser.
struct PartialBody {
    SiteAnswer answer;
    std::string method;
    std::string target;
    qint64 sent = 0;
};
} // namespace

SiteServer::SiteServer(Collect collect, FaultSet faults, int latencyMs, RequestLog* log)
    : m_collect(std::move(collect)), m_faults(std::move(faults)), m_latencyMs(latencyMs), m_log(log)
{
}

SiteServer::~SiteServer()
{
    stop();
}

bool SiteServer::start(int port, QString* error)
{
    if (port != 0 && LoopbackPort::holdsPostYear(port))
        std::fprintf(stderr,
                     "catalogue-site: warning: port %d holds a post year; every link will look like a post\n",
                     port);
    m_server = std::make_unique<httplib::Server>();
    m_server->new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
    m_server->set_keep_alive_timeout(kKeepAliveSeconds);
    m_server->set_keep_alive_max_count(kKeepAliveRequests);
    m_server->set_tcp_nodelay(true);
    // The listening socket passes through here before it is bound; remember it to widen its
    // backlog afterwards (the HTTP layer's own backlog of 5 drops simultaneous connections,
    // which then wait a second for their retransmission).
    int listenFd = -1;
    m_server->set_socket_options([&listenFd](socket_t sock) {
        const int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        listenFd = sock;
    });
    m_server->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        handle(req, res);
        return httplib::Server::HandlerResponse::Handled;
    });
    const httplib::Server::HandlerWithResponse errorPage = [](const httplib::Request&,
                                                              httplib::Response& res) {
        // Errors the HTTP layer answers itself (a request line too long, a malformed request)
        // get a page, and a bad request is 400 whatever the reason.
        if (res.status == 414)
            res.status = 400;
        if (res.body.empty() && !res.content_provider_)
            res.set_content(
                "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Error</title>"
                "</head><body><h1>Bad request</h1></body></html>\n",
                "text/html; charset=UTF-8");
        return httplib::Server::HandlerResponse::Handled;
    };
    m_server->set_error_handler(errorPage);
    m_server->set_logger(
        [this](const httplib::Request& req, const httplib::Response& res) { logWhole(req, res); });

    bool bound = false;
    for (int attempt = 0; attempt < kBindAttempts && !bound; ++attempt) {
        const int candidate = port != 0 ? port : LoopbackPort::pickFree();
        bound = candidate != 0 && m_server->bind_to_port("127.0.0.1", candidate);
        if (bound)
            m_port = candidate;
        if (port != 0)
            break;
    }
    if (!bound) {
        if (error)
            *error = port != 0 ? QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port)
                               : QStringLiteral("cannot find a free port on 127.0.0.1");
        return false;
    }
    if (listenFd >= 0)
        ::listen(listenFd, kBacklog);
    m_base = QStringLiteral("http://127.0.0.1:%1/").arg(m_port);
    m_content = std::async(std::launch::async,
                           [collect = m_collect, base = m_base,
                            faults = m_faults]() -> std::shared_ptr<const SiteContent> {
                               return std::make_shared<SiteContent>(collect(), base, faults);
                           })
                    .share();
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    return true;
}

void SiteServer::stop()
{
    if (!m_server)
        return;
    {
        std::lock_guard lock(m_stopMutex);
        m_stopping = true;
    }
    m_stopped.notify_all();
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
}

int SiteServer::waitForContent()
{
    return content().catalogue().size();
}

const SiteContent& SiteServer::content()
{
    return *m_content.get();
}

bool SiteServer::pause(int ms)
{
    std::unique_lock lock(m_stopMutex);
    return !m_stopped.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stopping.load(); });
}

void SiteServer::handle(const httplib::Request& req, httplib::Response& res)
{
    t_requestStart = Clock::now();
    if (m_latencyMs > 0)
        pause(m_latencyMs);
    if (req.method != "GET" && req.method != "HEAD") {
        res.status = 404;
        res.set_content(content().responder().pages().notFoundPage().toStdString(),
                        "text/html; charset=UTF-8");
        return;
    }
    const SiteAnswer answer = content().responder().answer(req.target);
    res.status = answer.status;
    if (answer.delivery == SiteAnswer::Delivery::Whole)
        res.set_content(answer.body.constData(), size_t(answer.body.size()),
                        answer.contentType.toStdString());
    else
        deliverPartly(req, res, answer);
}

void SiteServer::deliverPartly(const httplib::Request& req, httplib::Response& res, const SiteAnswer& answer)
{
    auto part = std::make_shared<PartialBody>();
    part->answer = answer;
    part->method = req.method;
    part->target = req.target;
    const int status = answer.status;
    res.set_content_provider(
        size_t(answer.body.size()), answer.contentType.toStdString(),
        [this, part](size_t offset, size_t, httplib::DataSink& sink) {
            const qsizetype cut = std::min(part->answer.cut, part->answer.body.size());
            if (qsizetype(offset) < cut) {
                const bool ok = sink.write(part->answer.body.constData() + offset, size_t(cut) - offset);
                part->sent = ok ? cut : qint64(offset);
                return ok;
            }
            if (part->answer.delivery == SiteAnswer::Delivery::Stall) {
                for (int waited = 0; waited < kStallLimitMs && sink.is_writable() && pause(kStallSliceMs);)
                    waited += kStallSliceMs;
            }
            return false; // the connection closes with the body unfinished
        },
        [this, part, status](bool) {
            if (m_log)
                m_log->write(part->method, part->target, status, part->sent, elapsedMs());
        });
}

void SiteServer::logWhole(const httplib::Request& req, const httplib::Response& res)
{
    if (!m_log || res.content_provider_)
        return; // partly delivered answers are logged when they end
    m_log->write(req.method, req.target, res.status, qint64(res.body.size()), elapsedMs());
}
