#include "catalogue-site/RequestLog.h"

bool RequestLog::open(const QString& path, QString* error)
{
    m_file.setFileName(path);
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return true;
    if (error)
        *error = QStringLiteral("cannot open log %1: %2").arg(path, m_file.errorString());
    return false;
}

QByteArray RequestLog::line(const std::string& method, const std::string& target, int status, qint64 bytes,
                            qint64 ms)
{
    QByteArray out = QByteArray::fromStdString(method.empty() ? std::string("-") : method) + ' ';
    if (target.empty())
        out += '-';
    for (unsigned char c : target) {
        if (c <= 0x20 || c == 0x7f)
            out += '%' + QByteArray::number(c, 16).rightJustified(2, '0').toUpper();
        else
            out += char(c);
    }
    out += ' ' + QByteArray::number(status) + ' ' + QByteArray::number(bytes) + ' ' + QByteArray::number(ms) +
           '\n';
    return out;
}

void RequestLog::write(const std::string& method, const std::string& target, int status, qint64 bytes,
                       qint64 ms)
{
    if (!m_file.isOpen())
        return;
    const QByteArray text = line(method, target, status, bytes, ms);
    std::lock_guard lock(m_mutex);
    m_file.write(text);
    m_file.flush();
}
