#include "catalogue-site/SiteContent.h"

SiteContent::SiteContent(std::vector<IconEntry> entries, const QString& base, const FaultSet& faults)
    : m_catalogue(std::move(entries)), m_images(m_catalogue), m_responder(base, m_catalogue, m_images, faults)
{
}
