#include "page_server.h"

#include <ws2tcpip.h>

namespace huoxing::testing {

PageServer::PageServer(unsigned short port, std::string page, std::string status)
    : page_(std::move(page)), status_(std::move(status)) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener_ == INVALID_SOCKET) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 4) != 0) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    thread_ = std::thread([this] { serve(); });
}

PageServer::~PageServer() {
    // Closing the listening socket ends the accept() the thread waits in.
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    if (thread_.joinable()) thread_.join();
    WSACleanup();
}

std::vector<std::string> PageServer::requestLines() const {
    std::lock_guard lock(mutex_);
    return requestLines_;
}

void PageServer::serve() {
    for (;;) {
        SOCKET connection = accept(listener_, nullptr, nullptr);
        if (connection == INVALID_SOCKET) return;
        answer(connection);
        closesocket(connection);
    }
}

void PageServer::answer(SOCKET connection) {
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos) {
        int got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        head.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard lock(mutex_);
        requestLines_.push_back(head.substr(0, head.find("\r\n")));
    }
    std::string reply = "HTTP/1.1 " + status_ + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                        std::to_string(page_.size()) + "\r\nConnection: close\r\n\r\n" + page_;
    send(connection, reply.data(), static_cast<int>(reply.size()), 0);
}

}  // namespace huoxing::testing
