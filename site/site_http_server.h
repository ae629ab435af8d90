#pragma once

// The service's HTTP side (cpp-httplib): every GET goes to the SiteService,
// and each request is logged as one line. httplib stays out of this header,
// so only site_http_server.cpp is compiled with it.

#include <memory>
#include <mutex>
#include <ostream>
#include <string>

#include "site/site_service.h"

class SiteHttpServer {
public:
    // Logs to `log` (stderr in the program), which must outlive the server.
    explicit SiteHttpServer(std::ostream& log);
    ~SiteHttpServer();
    SiteHttpServer(const SiteHttpServer&) = delete;
    SiteHttpServer& operator=(const SiteHttpServer&) = delete;

    // Binds `address`:`port` (0: a free port); the port bound, or -1.
    int Bind(const std::string& address, int port);
    // Answers requests with `service` until Stop(); false when the socket
    // failed. The service is given here, after Bind(), so it can be built
    // knowing the port.
    bool Serve(const SiteService& service);
    // From any thread; Serve() then returns.
    void Stop();

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};
