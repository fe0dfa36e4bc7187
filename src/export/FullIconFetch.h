#pragma once

#include "platform/Transfer.h"

#include <QObject>
#include <QString>

// Brings a tile's full-size icon into the downloads folder, reusing a copy already there, for
// the clipboard and drags. Asynchronous: ready() or failed() follows every start, also when the
// file was already there; a new start drops the one running.
class FullIconFetch : public QObject
{
    Q_OBJECT
public:
    explicit FullIconFetch(QObject* parent = nullptr);

    void start(const QString& thumbName);
    // Where the full-size icon of a thumbnail is kept; empty when its name is not a plain file name.
    [[nodiscard]] static QString pathFor(const QString& thumbName);

Q_SIGNALS:
    void ready(const QString& path);
    void failed(const QString& message);

private:
    void onFetched(bool ok, const QByteArray& body);

    Transfer m_transfer;
    QString m_path;
    QString m_url;
};
