#include "support/SiteProcess.h"

#include <QElapsedTimer>

SiteProcess::SiteProcess(QStringList arguments, int startTimeoutMs)
{
    if (!arguments.contains("--port"))
        arguments << "--port"
                  << "0";
    m_process.start(QStringLiteral(CATALOGUE_SITE_BIN), arguments);
    if (!m_process.waitForStarted(startTimeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(CATALOGUE_SITE_BIN, m_process.errorString());
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (!m_process.canReadLine() && m_process.state() == QProcess::Running &&
           clock.elapsed() < startTimeoutMs)
        m_process.waitForReadyRead(int(std::max<qint64>(1, startTimeoutMs - clock.elapsed())));
    const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
    if (line.startsWith("http://"))
        m_baseUrl = line;
    else
        m_error = QStringLiteral("the site printed no address (\"%1\"); its errors: %2")
                      .arg(line, QString::fromUtf8(m_process.readAllStandardError()));
}

SiteProcess::~SiteProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool SiteProcess::stop(int timeoutMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    m_process.terminate();
    if (!m_process.waitForFinished(timeoutMs))
        return false;
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}
