// Test tool: listens on a free TCP port of 127.0.0.1, prints the port, then one line
// "connection" for every connection that arrives, until it is ended.
// usage: tcp_listener

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>

int main() {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener, 16) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        std::perror("tcp_listener");
        return 1;
    }
    std::printf("%d\n", ntohs(address.sin_port));
    std::fflush(stdout);
    for (;;) {
        const int connection = accept(listener, nullptr, nullptr);
        if (connection < 0) continue;
        std::printf("connection\n");
        std::fflush(stdout);
        close(connection);
    }
}
