#include "app/SpinnerFrames.h"

#include "platform/AppPaths.h"

void SpinnerFrames::load()
{
    for (int n = 1; n <= kFrames; ++n)
        m_slots[size_t(n - 1)] = QImage(AppPaths::spinnerFrame(n));
}

const QImage& SpinnerFrames::next()
{
    if (m_index > kFrames - 1)
        m_index = 0;
    return m_slots[size_t(m_index++)];
}
