#include "grid/TileStrip.h"

void TileStrip::resize(int tileWidth, int tileHeight)
{
    m_tileWidth = tileWidth;
    m_tileHeight = tileHeight;
    m_infoLeft = tileWidth - kButtonSize - kGap;
    m_top = tileHeight;
}

void TileStrip::mouseActive()
{
    if (m_active)
        return;
    m_active = true;
    m_revealing = true;
    m_hiding = false;
}

void TileStrip::hide()
{
    m_active = false;
    m_revealing = false;
    m_hiding = true;
}

void TileStrip::reset()
{
    m_active = false;
    m_revealing = false;
    m_hiding = false;
    m_top = m_tileHeight;
}

void TileStrip::revealTick()
{
    --m_top;
    if (m_top < m_tileHeight - kButtonSize - 2)
        m_revealing = false;
}

void TileStrip::hideTick()
{
    ++m_top;
    if (m_top > m_tileHeight)
        m_hiding = false;
}
