#pragma once

#include "catalogue-site/IconEntry.h"

#include <QString>

// Thumbnail file names meant to break a client that trusts them: "..", an encoded "..", names with
// backslashes, names with control characters and a name of 300 characters. The n-th hit gets
// variant n modulo kVariants.
class HostileNames
{
public:
    static constexpr int kVariants = 5;
    static constexpr int kLongLength = 300;

    static QString name(const IconEntry& icon, int hit);
};
