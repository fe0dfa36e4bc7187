#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the built catalogue site for a test: starts it with the given arguments on a free port,
// waits (bounded) for the base address it prints first, and terminates it when destroyed.
//   SiteProcess site({"--synthetic", "60"});
//   ASSERT_TRUE(site.isReady()) << site.errorText();
//   fetch(site.baseUrl() + "page/2");
class SiteProcess
{
public:
    static constexpr int kStartTimeoutMs = 20000;

    explicit SiteProcess(QStringList arguments, int startTimeoutMs = kStartTimeoutMs);
    ~SiteProcess();
    SiteProcess(const SiteProcess&) = delete;
    SiteProcess& operator=(const SiteProcess&) = delete;

    // True once the site has printed an http:// address.
    [[nodiscard]] bool isReady() const { return !m_baseUrl.isEmpty(); }
    // "http://127.0.0.1:PORT/", empty when the site did not come up.
    [[nodiscard]] QString baseUrl() const { return m_baseUrl; }
    // What went wrong when not ready, with the site's error output.
    [[nodiscard]] QString errorText() const { return m_error; }
    [[nodiscard]] QProcess& process() { return m_process; }

    // Sends SIGTERM and waits up to timeoutMs; true when the site exited with status 0.
    bool stop(int timeoutMs = 10000);

private:
    QProcess m_process;
    QString m_baseUrl;
    QString m_error;
};
