#pragma once

#include <QString>

#include <string>

// What a request target ("/path?query", as it arrived) asks the site for. Parsing checks the
// target's size and percent-encoding (bad ones are BadRequest) and the shapes of the site's
// addresses (anything else is NotFound); it does not look icons up.
struct SiteRoute {
    enum class Kind { Front, Search, Post, Thumbnail, FullSize, NotFound, BadRequest };

    Kind kind = Kind::NotFound;
    int page = 1;     // Front and Search
    QString keyword;  // Search: the decoded "s" value
    QString datePath; // Post: "YYYY/MM/DD/"; Thumbnail and FullSize: "YYYY/MM/"
    QString name;     // Post: the icon name; Thumbnail and FullSize: the decoded file name

    static constexpr size_t kMaxTarget = 4096;
    static constexpr int kMaxPage = 1000000;

    static SiteRoute parse(const std::string& target);
};
