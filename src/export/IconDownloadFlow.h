#pragma once

#include "export/DownloadQuota.h"
#include "export/FullIconFetch.h"
#include "export/RenderAndSaveIcon.h"
#include "platform/BusyPointer.h"

#include <QObject>
#include <QString>
#include <QTimer>

class Dialogs;
class QWidget;
class UserSettings;

// The action behind a tile's download button: fetches the full-size icon of a thumbnail into the
// downloads folder, then asks where to save it and exports it there. Only bytes that decode as a
// picture are stored; an earlier copy is reused when it still decodes, else fetched again.
// The fetch runs asynchronously and the export on the export thread (under the hourglass), so the
// window never freezes; m_pollTimer polls every 50 ms for the file before the save dialog opens. The
// dialog suggests the downloaded file's name in the folder of the last save (kept in the user's
// settings across runs). The downloads folder is kept within a bound (DownloadQuota): the least
// recently used downloads go first, never one on the clipboard or still to be exported.
class IconDownloadFlow : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPollMs = 50;
    // The save dialog's filter in its "Description|patterns|..." form.
    static const QString kSaveFilter;
    // The user setting that remembers the folder of the last save.
    static const QString kFolderKey;

    // The fetch and each export hold their own claims on the pointer (the hourglass); `files`
    // writes the download and the exports into the folders of `paths`, fetched from `site`; the
    // folder of the last save is kept in `settings`.
    IconDownloadFlow(Dialogs& dialogs, BusyPointer& pointer, FileWriter& files, const AppPaths& paths,
                     const SiteAddress& site, const UserSettings& settings, QWidget* dialogParent,
                     QObject* parent = nullptr);

    // The download press for the tile showing thumbName. A press while one is running restarts it.
    void start(const QString& thumbName);
    // Abandons the running download and its save (the busy window's cancel): the fetch stops, no
    // file is stored and no save dialog opens. An export already running completes its file.
    void cancel();

    // Path of the full-size file in the downloads folder of the last start().
    [[nodiscard]] QString downloadPath() const { return m_downloadPath; }
    [[nodiscard]] bool isPolling() const { return m_pollTimer.isActive(); }
    [[nodiscard]] bool isExporting() const { return m_exportsRunning > 0; }
    // The size the downloads folder is kept within (see DownloadQuota).
    void setDownloadBound(qint64 bytes) { m_downloadBound = bytes; }

Q_SIGNALS:
    // The fetch part is over (whatever its outcome): the host hides its busy window.
    void downloadFinished();
    // Bytes of the full-size icon received so far, and its declared size (-1 when unknown).
    void downloadProgress(qint64 received, qint64 total);
    // An export was written at path.
    void saved(const QString& path);

private:
    void onStored();
    void keepWithinBound();
    void finishFetch();
    void onPollTick();
    void saveAs(const QString& path);
    void onExported(const QString& path, const ExportResult& result);
    void tell(const QString& message);

    Dialogs& m_dialogs;
    BusyPointer& m_pointer;
    BusyPointer::Claim m_fetchClaim;
    FileWriter& m_files;
    const AppPaths& m_paths;
    const UserSettings& m_settings;
    QWidget* m_dialogParent;
    FullIconFetch m_fetch;
    QTimer m_pollTimer;
    QString m_downloadPath;
    int m_exportsRunning = 0;
    QStringList m_exportSources; // downloads that exports still have to read
    qint64 m_downloadBound = DownloadQuota::kDefaultBound;
};
