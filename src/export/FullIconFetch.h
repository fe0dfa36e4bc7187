#pragma once

#include "platform/AppPaths.h"
#include "platform/FileWriter.h"
#include "platform/SiteAddress.h"
#include "platform/Transfer.h"

#include <QObject>
#include <QString>

#include <functional>

// Brings a tile's full-size icon into the downloads folder, for the save flow, the clipboard and
// drags. Only bytes that decode as a picture are stored, written whole or not at all; an earlier
// copy is reused while it still decodes, else fetched again. Asynchronous: ready() or failed()
// follows every start unless cancel() or a newer start came first.
class FullIconFetch : public QObject
{
    Q_OBJECT
public:
    // A full-size icon may come slowly: the fetch fails only when nothing arrives for this long
    // (and at the size cap), not at a total deadline.
    static constexpr int kIdleTimeoutMs = 15000;

    // Stores into the downloads folder of `paths`, fetching from `site`; both outlive the fetch.
    FullIconFetch(const AppPaths& paths, const SiteAddress& site, FileWriter& files,
                  QObject* parent = nullptr);

    void start(const QString& thumbName);
    // Ends the running fetch: nothing is stored and no signal follows.
    void cancel();
    // Where the full-size icon of a thumbnail is kept; empty when its name is not a plain file name.
    [[nodiscard]] static QString pathFor(const AppPaths& paths, const QString& thumbName);
    // The downloads-folder path of the last start (empty when its name was not usable).
    [[nodiscard]] QString path() const { return m_path; }

Q_SIGNALS:
    void ready(const QString& path);
    void failed(const QString& message);
    // Bytes received so far, and the declared size (-1 when unknown).
    void progress(qint64 received, qint64 total);

private:
    void fetch();
    void onFetched(bool ok, const QByteArray& body);
    // Runs `work` on a worker; `then` gets its outcome on this thread unless the fetch was
    // restarted or cancelled meanwhile.
    void onWorker(std::function<QString()> work, std::function<void(const QString&)> then);
    void finish(const QString& problem);

    const AppPaths& m_paths;
    const SiteAddress& m_site;
    FileWriter& m_files;
    Transfer m_transfer;
    QString m_path;
    QString m_url;
    quint64 m_generation = 0; // of the running fetch; start() and cancel() end the earlier one
};
