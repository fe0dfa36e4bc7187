#include "app/SpinnerFrames.h"

#include "platform/AppPaths.h"

#include <QFileInfo>

void SpinnerFrames::load(const AppPaths& paths, qreal devicePixelRatio)
{
    for (int n = 1; n <= kFrames; ++n) {
        const QString path = paths.spinnerFrame(n);
        // Only from the same folder, so a set of frames of one's own is not mixed with ours.
        const QString doubled = path.chopped(4) + QStringLiteral("@2x.png");
        QImage& slot = m_slots[size_t(n - 1)];
        if (devicePixelRatio > 1.0 && QFileInfo::exists(doubled)) {
            slot = QImage(doubled);
            slot.setDevicePixelRatio(2.0);
        } else {
            slot = QImage(path);
        }
    }
}

const QImage& SpinnerFrames::next()
{
    if (m_index > kFrames - 1)
        m_index = 0;
    return m_slots[size_t(m_index++)];
}
