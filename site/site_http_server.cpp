#include "site/site_http_server.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

SiteRequest RequestOf(const httplib::Request& request) {
    SiteRequest site;
    site.path = request.path;
    site.parameters.insert(request.params.begin(), request.params.end());
    site.clientAddress = request.remote_addr;
    site.host = request.get_header_value("Host");
    return site;
}

// A log line never breaks in two, whatever the client sent.
std::string Printable(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x20 || byte == 0x7F ? '?' : c;
    }
    return shown;
}

}  // namespace

class SiteHttpServer::Impl {
public:
    explicit Impl(std::ostream& log) : log_(log) {
        server_.Get(
            ".*", [this](const httplib::Request& request, httplib::Response& response) { Answer(request, response); });
        server_.set_logger([this](const httplib::Request& request, const httplib::Response& response) {
            const std::lock_guard guard(logLock_);
            log_ << request.remote_addr << " \"" << Printable(request.method) << " " << Printable(request.target)
                 << "\" " << response.status << " " << response.body.size() << std::endl;
        });
    }

    httplib::Server server_;
    std::atomic<bool> serving_ = false;
    const SiteService* service_ = nullptr;  // set before the loop starts

private:
    void Answer(const httplib::Request& request, httplib::Response& response) {
        try {
            const SiteResponse answer = service_->Handle(RequestOf(request));
            response.status = answer.status;
            for (const auto& [name, value] : answer.headers) {
                response.set_header(name, value);
            }
            response.set_content(answer.body, answer.contentType.empty() ? "text/plain" : answer.contentType);
        } catch (...) {
            // A fault of one answer must not end the service: the client gets
            // a whole error answer instead.
            response.status = 500;
            response.set_content(std::string("internal error\n"), "text/plain");
        }
    }

    std::ostream& log_;
    std::mutex logLock_;
};

SiteHttpServer::SiteHttpServer(std::ostream& log) : impl_(std::make_unique<Impl>(log)) {}

SiteHttpServer::~SiteHttpServer() = default;

int SiteHttpServer::Bind(const std::string& address, int port) {
    if (port == 0) {
        return impl_->server_.bind_to_any_port(address);
    }
    return impl_->server_.bind_to_port(address, port) ? port : -1;
}

bool SiteHttpServer::Serve(const SiteService& service) {
    impl_->service_ = &service;
    impl_->serving_ = true;
    return impl_->server_.listen_after_bind();
}

void SiteHttpServer::Stop() {
    // httplib forgets a stop that comes before its loop runs: a Stop() right
    // after Serve() began waits (briefly) for the loop first.
    constexpr int kWaitSteps = 200;
    for (int step = 0; step < kWaitSteps && impl_->serving_ && !impl_->server_.is_running(); ++step) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    impl_->server_.stop();
}
