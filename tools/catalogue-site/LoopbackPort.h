#pragma once

// Picks a free TCP port on 127.0.0.1 whose number holds none of "2013" to "2017": the client
// takes any link with such a year for a post, and every link of the site carries the port.
class LoopbackPort
{
public:
    // A port number, or 0 when none could be found.
    static int pickFree();
    static bool holdsPostYear(int port);
};
