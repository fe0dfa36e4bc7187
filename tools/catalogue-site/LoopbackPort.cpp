#include "catalogue-site/LoopbackPort.h"

#include "catalogue-site/IconNaming.h"

#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace
{
constexpr int kAttempts = 64;

// A socket bound to an ephemeral loopback port, or -1.
int bindEphemeral(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof(addr);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(addr.sin_port);
    return fd;
}
} // namespace

bool LoopbackPort::holdsPostYear(int port)
{
    return IconNaming::containsPostYear(QString::number(port));
}

int LoopbackPort::pickFree()
{
    // Rejected ports stay bound until a good one is found, so the system does not offer them again.
    std::vector<int> held;
    int chosen = 0;
    for (int i = 0; i < kAttempts && chosen == 0; ++i) {
        int port = 0;
        const int fd = bindEphemeral(port);
        if (fd < 0)
            break;
        held.push_back(fd);
        if (!holdsPostYear(port))
            chosen = port;
    }
    for (int fd : held)
        ::close(fd);
    return chosen;
}
