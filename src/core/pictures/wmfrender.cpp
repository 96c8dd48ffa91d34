// Metafile to SVG through the pictures plugin's libwmf. libwmf loops for ever or crashes on some
// damaged files, so it runs in a child process with a time and memory limit.
#include "core/pictures/wmfrender.h"

#include "core/files/descriptorwrite.h"
#include "core/pictures/pictureplugin.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr int kTimeLimitMs = 3000; // a real metafile takes milliseconds
constexpr std::size_t kSvgLimit = 64u << 20;
constexpr rlim_t kMemoryLimit = rlim_t(1) << 30;

std::string& fontFolder()
{
    static std::string folder;
    return folder;
}

} // namespace

void SetWmfFontFolder(const std::string& folder)
{
    fontFolder() = folder;
}

namespace {

// In the child: render, send '1' and the SVG (or '0'), and end without running any destructor
// or exit handler of the parent's.
[[noreturn]] void renderInChild(const PictureDecoders& decoders, const unsigned char* data,
                                long size, int out)
{
#if !defined(__SANITIZE_ADDRESS__)
    const rlimit memory{kMemoryLimit, kMemoryLimit}; // the sanitizer reserves more than this
    setrlimit(RLIMIT_AS, &memory);
#endif
    alarm(kTimeLimitMs / 1000 + 1); // in case the parent is gone
    std::string svg;
    std::string error;
    const bool ok = decoders.drawWmfAsSvg(data, size, fontFolder(), svg, error);
    WriteAllTo(out, ok ? "1" : "0", 1);
    if (ok)
        WriteAllTo(out, svg.data(), svg.size());
    _exit(0);
}

long long nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

// Reads what the child sends until it closes the pipe, the time is up or the result is too big.
bool readResult(int in, std::string& result)
{
    const long long deadline = nowMs() + kTimeLimitMs;
    char buffer[65536];
    for (;;) {
        const long long left = deadline - nowMs();
        if (left <= 0)
            return false;
        pollfd ready{in, POLLIN, 0};
        const int polled = poll(&ready, 1, int(left));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return false;
        const ssize_t got = read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return true;
        result.append(buffer, std::size_t(got));
        if (result.size() > kSvgLimit + 1)
            return false;
    }
}

} // namespace

bool RenderWmfToSvg(const unsigned char* data, long size, std::string& svg, std::string& error)
{
    QString loadError; // loaded here, once, rather than in every child
    const PictureDecoders* decoders = PictureDecodersPlugin(loadError);
    if (!decoders) {
        error = loadError.toStdString();
        return false;
    }
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        error = "the metafile could not be read";
        return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        renderInChild(*decoders, data, size, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    std::string result;
    const bool finished = child > 0 && readResult(pipeEnds[0], result);
    close(pipeEnds[0]);
    if (child > 0) {
        if (!finished)
            kill(child, SIGKILL);
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (!finished || result.empty() || result[0] != '1') {
        error =
            finished ? "the metafile could not be read" : "the metafile could not be drawn in time";
        return false;
    }
    svg.assign(result, 1, std::string::npos);
    return true;
}
