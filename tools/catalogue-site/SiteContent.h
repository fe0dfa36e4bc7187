#pragma once

#include "catalogue-site/IconCatalogue.h"
#include "catalogue-site/ImageStore.h"
#include "catalogue-site/SiteResponder.h"

#include <vector>

// Everything the site serves, built once from its icon entries: the catalogue, the store of its
// pictures (each rendered on first request) and the answers.
class SiteContent
{
public:
    SiteContent(std::vector<IconEntry> entries, const QString& base, const FaultSet& faults);
    SiteContent(const SiteContent&) = delete;
    SiteContent& operator=(const SiteContent&) = delete;

    [[nodiscard]] const IconCatalogue& catalogue() const { return m_catalogue; }
    [[nodiscard]] const SiteResponder& responder() const { return m_responder; }

private:
    IconCatalogue m_catalogue;
    ImageStore m_images;
    SiteResponder m_responder;
};
