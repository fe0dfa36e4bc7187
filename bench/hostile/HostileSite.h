#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <thread>

namespace httplib
{
class Server;
struct Response;
} // namespace httplib

// A loopback site with one catalogue per hostile case: "/<case>/" is a result page of 30 posts
// and "/<case>/t/<k>.png" its pictures, each made to stress one part of the client.
class HostileSite
{
public:
    HostileSite();
    ~HostileSite();

    [[nodiscard]] QStringList cases() const;
    // What the case throws at the client, in a few words.
    [[nodiscard]] QString describe(const QString& name) const;
    [[nodiscard]] QString baseUrl(const QString& name) const;

private:
    struct Case {
        QString description;
        QByteArray page;
        QByteArray picture;
        // Pictures streamed instead: -1 for none, 0 for a body without end, else the length
        // declared and sent.
        qint64 streamed = -1;
    };
    void add(const QString& name, const QString& description, const QByteArray& hostileMarkup,
             const QByteArray& picture, int posts = 30);
    // A case whose pictures stream at full speed: without end (length 0) or with a declared length.
    void addStreaming(const QString& name, const QString& description, int posts, qint64 length);
    static void stream(qint64 length, httplib::Response& response);

    std::map<QString, Case> m_cases;
    QStringList m_order;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
};
