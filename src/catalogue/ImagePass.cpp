#include "catalogue/ImagePass.h"

#include <QPointer>

ImagePass::ImagePass(QObject* parent) : QObject(parent) {}

ImagePass::~ImagePass()
{
    cancel();
}

void ImagePass::start(const QStringList& addresses)
{
    cancel();
    m_addresses = addresses;
    m_results.assign(size_t(addresses.size()), std::nullopt);
    m_nextLaunch = 0;
    m_nextHandOn = 0;
    m_running = true;
    m_paused = false;
    launchMore();
    handOnReady();
}

void ImagePass::cancel()
{
    // Transfers are kept for reuse: one may be the sender of the signal that led here.
    for (Slot& slot : m_slots) {
        if (slot.transfer)
            slot.transfer->cancel();
        slot.index = -1;
    }
    m_results.clear();
    m_addresses.clear();
    m_running = false;
}

void ImagePass::setPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    if (!paused && m_running)
        handOnReady();
}

void ImagePass::launchMore()
{
    if (int(m_slots.size()) < m_parallel)
        m_slots.resize(size_t(m_parallel));
    for (Slot& slot : m_slots) {
        // Only fetch within the window ahead of the image being handed on, so memory stays bounded.
        if (m_nextLaunch >= int(m_addresses.size()) || m_nextLaunch >= m_nextHandOn + m_parallel)
            return;
        if (slot.index >= 0)
            continue;
        if (!slot.transfer) {
            slot.transfer = std::make_unique<Transfer>();
            slot.transfer->setTimeout(kImageTimeoutMs);
            slot.transfer->setMaxBytes(kMaxThumbnailBytes);
            Transfer* t = slot.transfer.get();
            connect(t, &Transfer::finished, this, [this, t](bool ok, const QByteArray& bytes) {
                for (Slot& s : m_slots)
                    if (s.transfer.get() == t) {
                        const int index = s.index;
                        s.index = -1;
                        onFetched(index, ok, bytes);
                        return;
                    }
            });
        }
        slot.index = m_nextLaunch++;
        slot.transfer->get(QUrl(m_addresses[slot.index]));
    }
}

void ImagePass::onFetched(int index, bool ok, const QByteArray& bytes)
{
    if (!m_running || index < 0 || index >= int(m_results.size()))
        return;
    m_results[size_t(index)] = std::make_pair(ok, bytes);
    handOnReady();
    launchMore();
}

void ImagePass::handOnReady()
{
    if (m_handingOn)
        return;
    m_handingOn = true;
    QPointer<ImagePass> self(this);
    while (self && m_running && !m_paused && m_nextHandOn < int(m_results.size()) &&
           m_results[size_t(m_nextHandOn)]) {
        const int index = m_nextHandOn++;
        auto [ok, bytes] = std::move(*m_results[size_t(index)]);
        m_results[size_t(index)].reset();
        Q_EMIT imageReady(index, m_addresses[index], ok, bytes);
    }
    if (!self)
        return;
    m_handingOn = false;
    if (m_running && m_nextHandOn >= int(m_results.size())) {
        m_running = false;
        Q_EMIT finished();
    } else if (m_running) {
        launchMore();
    }
}
