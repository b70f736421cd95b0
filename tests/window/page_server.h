#pragma once
// A one-page web server on 127.0.0.1 for the browser strip to load from: it
// answers every GET with the page, under the status it was given, and
// remembers each request line.

#include <winsock2.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace huoxing::testing {

class PageServer {
public:
    PageServer(unsigned short port, std::string page, std::string status = "200 OK");
    ~PageServer();
    PageServer(const PageServer&) = delete;
    PageServer& operator=(const PageServer&) = delete;

    bool listening() const { return listener_ != INVALID_SOCKET; }
    std::vector<std::string> requestLines() const;

private:
    void serve();
    void answer(SOCKET connection);

    std::string page_;
    std::string status_;
    SOCKET listener_ = INVALID_SOCKET;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> requestLines_;
};

}  // namespace huoxing::testing
