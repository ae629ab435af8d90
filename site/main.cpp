// tessary-site --config FILE [--port N] [--skins FOLDER]
//
// --port and --skins override the INI file's port and published skins
// folder (./run.sh publishes the packages its build made).
// The maker's web site and weather feed as one service. Prints the port it
// listens on as its first line of standard output (so a script can start
// it on port 0 and read where it went), logs each request to standard error,
// and ends on SIGINT or SIGTERM.

#include <pthread.h>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "common/local_time.h"
#include "site/httplib_upstream.h"
#include "site/site_config.h"
#include "site/site_http_server.h"
#include "site/site_service.h"

namespace {

struct Arguments {
    std::string configPath;
    std::optional<int> port;
    std::optional<std::string> skinsFolder;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--config") {
            arguments.configPath = value;
        } else if (name == "--port") {
            const std::optional<SiteConfig> parsed = ParseSiteConfig("--port", "[server]\nport=" + value + "\n").config;
            if (!parsed) {
                return std::nullopt;
            }
            arguments.port = parsed->port;
        } else if (name == "--skins" && !value.empty()) {
            arguments.skinsFolder = value;
        } else {
            return std::nullopt;
        }
    }
    if (argc % 2 == 0 || arguments.configPath.empty()) {
        return std::nullopt;
    }
    return arguments;
}

// Signals go to one thread that waits for them, so stopping the server
// happens outside a signal handler.
sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Arguments> arguments = ParseArguments(argc, argv);
    if (!arguments) {
        std::cerr << "usage: tessary-site --config FILE [--port N] [--skins FOLDER]   (N from 0 to 65535; 0: a free "
                     "port)\n";
        return 2;
    }
    SiteConfigResult loaded = LoadSiteConfig(arguments->configPath);
    if (!loaded.config) {
        std::cerr << "tessary-site: " << loaded.error << "\n";
        return 1;
    }
    SiteConfig config = *loaded.config;
    if (arguments->port) {
        config.port = *arguments->port;
    }
    if (arguments->skinsFolder) {
        config.skinsFolder = *arguments->skinsFolder;
    }

    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);  // inherited by every thread started below

    SiteHttpServer server(std::cerr);
    const int bound = server.Bind(config.listenAddress, config.port);
    if (bound < 0) {
        std::cerr << "tessary-site: cannot listen on " << config.listenAddress << ":" << config.port << "\n";
        return 1;
    }
    config.port = bound;
    HttplibUpstream upstream(config.upstreamTimeoutSeconds);
    SystemClock clock;
    const SiteService service(config, upstream, clock);
    std::cout << bound << std::endl;
    std::cerr << "tessary-site: serving http://" << config.listenAddress << ":" << bound << "/\n";

    std::thread stopper([&server, signals] {
        int received = 0;
        sigwait(&signals, &received);
        server.Stop();
    });
    const bool served = server.Serve(service);
    if (!served) {
        // The stopper still waits for a signal; the process ends without it.
        std::cerr << "tessary-site: the listening socket failed\n";
        std::quick_exit(1);
    }
    stopper.join();
    return 0;
}
