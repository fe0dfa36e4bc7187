#pragma once

#include "platform/Transfer.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// Fetches a page's images several at a time but hands the results on strictly in document order,
// so the outcome equals fetching them one at a time. At most `parallel` fetches run at once and
// results are held for at most that many images ahead of the one being handed on.
class ImagePass : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultParallel = 6;
    static constexpr int kImageTimeoutMs = 15000;
    // A thumbnail is drawn at most 150 x 150 (twice that on a high-density screen): a picture
    // of a megabyte is far beyond any, and the cap bounds what an endless answer can take.
    static constexpr qint64 kMaxThumbnailBytes = 1024 * 1024;

    explicit ImagePass(QObject* parent = nullptr);
    ~ImagePass() override;

    void setParallel(int parallel) { m_parallel = std::max(1, parallel); }
    void start(const QStringList& addresses);
    void cancel();
    // While paused nothing is handed on, and no fetch starts beyond the window ahead of the image
    // waiting to be handed on, so a slow receiver bounds what is held in memory.
    void setPaused(bool paused);
    [[nodiscard]] bool isRunning() const { return m_running; }

Q_SIGNALS:
    // Image `index` of the document, in order; ok is false for a failed fetch.
    void imageReady(int index, const QString& address, bool ok, const QByteArray& bytes);
    void finished();

private:
    struct Slot {
        std::unique_ptr<Transfer> transfer;
        int index = -1;
    };
    void launchMore();
    void onFetched(int index, bool ok, const QByteArray& bytes);
    void handOnReady();

    QStringList m_addresses;
    std::vector<std::optional<std::pair<bool, QByteArray>>> m_results;
    std::vector<Slot> m_slots;
    int m_nextLaunch = 0;
    int m_nextHandOn = 0;
    int m_parallel = kDefaultParallel;
    bool m_running = false;
    bool m_handingOn = false;
    bool m_paused = false;
};
