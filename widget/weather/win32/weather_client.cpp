#include "widget/weather/win32/weather_client.h"

#include <wininet.h>

#include <atomic>
#include <mutex>
#include <string_view>
#include <utility>

#include "common/file_io.h"
#include "common/win32/handles.h"
#include "common/win32/internet_request.h"
#include "services/download_body.h"
#include "widget/weather/city_query.h"
#include "widget/weather/weather_report.h"

// Who writes what:
// - status: the worker moves it on from the status it was started with
//   (kQueryingCity or kDownloading) and only from there, so a stop request
//   (kStopRequested, written by Stop on the window's thread) is never
//   overwritten; the window writes it through SetStatus and before it
//   starts a worker.
// - errorCode: the worker, when it fails; the window clears it at a start.
// - foundCity: the worker stores it under the lock before it publishes
//   kIdle with release semantics; the window takes it under the lock.
struct WeatherClient::Shared {
    std::atomic<WeatherStatus> status{WeatherStatus::kIdle};
    std::atomic<DWORD> errorCode{0};
    std::mutex cityLock;
    std::optional<std::string> foundCity;
};

namespace {

constexpr char kAgentName[] = "Weather";
constexpr char kCityQueryPath[] = "/querycity.php";
constexpr std::size_t kReadPieceBytes = 16 * 1024;

// Everything a worker uses: its own copies, so it never touches the
// WeatherClient that started it, which may be gone before it ends.
struct WorkerJob {
    std::shared_ptr<WeatherClient::Shared> shared;
    WeatherServiceAddress server;
    std::string dataFolder;
    WeatherTiming timing;
    std::int32_t stationNumber = 0;
    bool cityQuery = false;
    // The reference to this module the worker holds while it runs.
    HMODULE module = nullptr;
    // The status an unexpected failure (an exception) ends the worker with.
    WeatherStatus failure = WeatherStatus::kNoConnection;
};

// What one GET brought: the whole body, or the system error code of the
// failure (0 for one the system did not report: another status than 200, a
// body too long or shorter than announced).
struct FetchResult {
    bool sessionOpened = false;
    std::optional<std::string> body;
    DWORD error = 0;
};

// Moves the status on from `from`; does nothing once it has left `from`
// (a stop request, or the window's own move).
void MoveStatus(WeatherClient::Shared& shared, WeatherStatus from, WeatherStatus to) {
    shared.status.compare_exchange_strong(from, to, std::memory_order_acq_rel);
}

void ApplyTimeouts(HINTERNET handle, const WeatherTiming& timing) {
    ::ApplyTimeouts(handle, timing.connectTimeoutMs, timing.readTimeoutMs);
}

// The length the response announces, nullopt when it has no Content-Length;
// false when the header is there but unusable.
bool AnnouncedLength(HINTERNET request, std::optional<std::uint64_t>& length) {
    length.reset();
    char value[64];
    DWORD size = sizeof value;
    if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, value, &size, nullptr)) {
        // A value that does not fit in 64 characters is no usable length.
        return GetLastError() == ERROR_HTTP_HEADER_NOT_FOUND;
    }
    length = services::ParseContentLength(std::string_view(value, size));
    return length.has_value();
}

// Reads the body to its end. It must fit in kMaxWeatherResponseBytes and,
// when the response announces its length, have exactly that length: a
// transfer broken in the middle never passes for a whole document. Without
// an announced length (a chunked or close-delimited body) the end of the
// stream ends it. nullopt otherwise, with the system's error code when a
// read failed.
std::optional<std::string> ReadBody(HINTERNET request, DWORD& error) {
    std::optional<std::uint64_t> announced;
    if (!AnnouncedLength(request, announced) || (announced && *announced > kMaxWeatherResponseBytes)) {
        return std::nullopt;
    }
    std::string body;
    std::string piece(kReadPieceBytes, '\0');
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, piece.data(), static_cast<DWORD>(piece.size()), &read)) {
            error = GetLastError();
            return std::nullopt;
        }
        if (read == 0) {
            break;
        }
        if (read > kMaxWeatherResponseBytes - body.size()) {
            return std::nullopt;
        }
        body.append(piece.data(), read);
    }
    if (announced && body.size() != *announced) {
        return std::nullopt;
    }
    return body;
}

// One GET of `path` from the feed over a fresh session, past every cache.
FetchResult Fetch(const WorkerJob& job, const std::string& path) {
    FetchResult result;
    UniqueInternet session(InternetOpenA(kAgentName, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) {
        result.error = GetLastError();
        return result;
    }
    result.sessionOpened = true;
    ApplyTimeouts(session.get(), job.timing);
    UniqueInternet connection(InternetConnectA(session.get(), job.server.host.c_str(), job.server.port, nullptr,
                                               nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        result.error = GetLastError();
        return result;
    }
    ApplyTimeouts(connection.get(), job.timing);
    constexpr DWORD kFlags =
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI;
    UniqueInternet request(
        HttpOpenRequestA(connection.get(), "GET", path.c_str(), nullptr, nullptr, nullptr, kFlags, 0));
    if (!request) {
        result.error = GetLastError();
        return result;
    }
    ApplyTimeouts(request.get(), job.timing);
    if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) {
        result.error = GetLastError();
        return result;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        result.error = GetLastError();
        return result;
    }
    if (status != 200) {
        return result;
    }
    result.body = ReadBody(request.get(), result.error);
    return result;
}

void Fail(WorkerJob& job, WeatherStatus running, WeatherStatus failure, DWORD error) {
    job.shared->errorCode.store(error);
    MoveStatus(*job.shared, running, failure);
}

void RunCityQuery(WorkerJob& job) {
    job.failure = WeatherStatus::kCityQueryFailed;
    FetchResult fetched = Fetch(job, kCityQueryPath);
    if (!fetched.body) {
        Fail(job, WeatherStatus::kQueryingCity, WeatherStatus::kCityQueryFailed, fetched.error);
        return;
    }
    std::string city = CityFromQueryAnswer(*fetched.body);
    {
        std::lock_guard<std::mutex> guard(job.shared->cityLock);
        job.shared->foundCity = std::move(city);
    }
    MoveStatus(*job.shared, WeatherStatus::kQueryingCity, WeatherStatus::kIdle);
}

bool StopRequested(const WorkerJob& job) {
    return job.shared->status.load(std::memory_order_acquire) == WeatherStatus::kStopRequested;
}

// Fetches one document into its cache file; false (the error code stored)
// when it did not arrive whole or could not be written, and then the old
// cache file is left as it was.
bool DownloadDocument(WorkerJob& job, std::int32_t hours, WeatherStatus failure) {
    job.failure = failure;
    FetchResult fetched = Fetch(job, WeatherDocumentPath(job.stationNumber, hours));
    if (!fetched.sessionOpened) {
        Fail(job, WeatherStatus::kDownloading, WeatherStatus::kNoConnection, fetched.error);
        return false;
    }
    if (!fetched.body) {
        Fail(job, WeatherStatus::kDownloading, failure, fetched.error);
        return false;
    }
    const int written =
        ReplaceFileAtomically(WeatherCachePath(job.dataFolder, job.stationNumber, hours), *fetched.body);
    if (written != 0) {
        Fail(job, WeatherStatus::kDownloading, failure, static_cast<DWORD>(written));
        return false;
    }
    return true;
}

void RunDownload(WorkerJob& job) {
    if (StopRequested(job) || !DownloadDocument(job, 24, WeatherStatus::kFirstDayFailed)) {
        return;
    }
    if (StopRequested(job) || !DownloadDocument(job, 48, WeatherStatus::kSecondDayFailed)) {
        return;
    }
    MoveStatus(*job.shared, WeatherStatus::kDownloading, WeatherStatus::kDownloaded);
}

// The worker thread. It owns its job and, with it, a reference to the
// module its code lives in, taken by the thread that started it (before the
// worker exists, so no unload can come in between): it gives the reference
// back only as it exits, so the DLL cannot be unloaded under a worker that
// still waits on the network.
DWORD WINAPI WorkerMain(void* parameter) {
    auto* job = static_cast<WorkerJob*>(parameter);
    HMODULE module = job->module;
    const WeatherStatus running = job->cityQuery ? WeatherStatus::kQueryingCity : WeatherStatus::kDownloading;
    try {
        if (job->cityQuery) {
            RunCityQuery(*job);
        } else {
            RunDownload(*job);
        }
    } catch (...) {
        // Out of memory: the attempt failed and the window retries.
        job->shared->errorCode.store(ERROR_OUTOFMEMORY);
        MoveStatus(*job->shared, running, job->failure);
    }
    delete job;
    FreeLibraryAndExitThread(module, 0);
}

}  // namespace

WeatherClient::WeatherClient(WeatherServiceAddress server, std::string dataFolder, WeatherTiming timing)
    : server_(std::move(server)),
      dataFolder_(std::move(dataFolder)),
      timing_(timing),
      shared_(std::make_shared<Shared>()) {}

WeatherClient::~WeatherClient() {
    Stop();
}

bool WeatherClient::StartCityQuery() {
    return StartWorker(0, true);
}

bool WeatherClient::StartDownload(std::int32_t stationNumber) {
    return StartWorker(stationNumber, false);
}

bool WeatherClient::StartWorker(std::int32_t stationNumber, bool cityQuery) {
    if (Busy()) {
        return false;
    }
    thread_.reset();
    std::unique_ptr<WorkerJob> job;
    try {
        job = std::make_unique<WorkerJob>(WorkerJob{shared_, server_, dataFolder_, timing_, stationNumber, cityQuery,
                                                    nullptr, WeatherStatus::kNoConnection});
    } catch (...) {
        // Out of memory: no worker; the window tries again on its timer.
        shared_->errorCode.store(ERROR_OUTOFMEMORY);
        return false;
    }
    // The worker's reference to this module, given back by the worker as it
    // exits, or below when no worker starts.
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&WorkerMain),
                            &job->module)) {
        shared_->errorCode.store(GetLastError());
        return false;
    }
    const WeatherStatus previous = shared_->status.load();
    shared_->errorCode.store(0);
    shared_->status.store(cityQuery ? WeatherStatus::kQueryingCity : WeatherStatus::kDownloading);
    thread_.reset(CreateThread(nullptr, 0, &WorkerMain, job.get(), 0, nullptr));
    if (!thread_) {
        shared_->errorCode.store(GetLastError());
        shared_->status.store(previous);
        FreeLibrary(job->module);
        return false;
    }
    job.release();  // the worker deletes it
    return true;
}

WeatherStatus WeatherClient::Status() const {
    return shared_->status.load(std::memory_order_acquire);
}

void WeatherClient::SetStatus(WeatherStatus status) {
    shared_->status.store(status, std::memory_order_release);
}

DWORD WeatherClient::ErrorCode() const {
    return shared_->errorCode.load();
}

std::optional<std::string> WeatherClient::TakeFoundCity() {
    std::lock_guard<std::mutex> guard(shared_->cityLock);
    return std::exchange(shared_->foundCity, std::nullopt);
}

bool WeatherClient::Busy() const {
    return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT;
}

bool WeatherClient::Stop(DWORD waitMs) {
    if (!thread_) {
        return true;
    }
    MoveStatus(*shared_, WeatherStatus::kDownloading, WeatherStatus::kStopRequested);
    if (WaitForSingleObject(thread_.get(), waitMs) == WAIT_OBJECT_0) {
        thread_.reset();
        return true;
    }
    // Let the worker go: it keeps the old state to itself, and this object
    // goes on with a copy, so a late result of the old worker can no longer
    // reach a new one's status.
    thread_.reset();
    auto fresh = std::make_shared<Shared>();
    fresh->status.store(shared_->status.load());
    fresh->errorCode.store(shared_->errorCode.load());
    shared_ = std::move(fresh);
    return false;
}
