// The command line's progress line.
#include "tools/cli_progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr auto kQuietPeriod = std::chrono::seconds(1);
constexpr auto kRefresh = std::chrono::milliseconds(100);

}  // namespace

TerminalProgress::TerminalProgress(std::string label, int64_t expected)
    : label_(std::move(label)),
      expected_(expected),
      terminal_(isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()) {}

TerminalProgress::~TerminalProgress() {
    if (shown_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

std::string TerminalProgress::LineText(const std::string& label, int64_t done, int64_t expected) {
    int64_t percent = 0;
    if (expected > 0) percent = std::clamp<int64_t>(done * 100 / expected, 0, 99);
    return label + " " + std::to_string(percent) + "%";
}

void TerminalProgress::Update(int64_t done) {
    if (!terminal_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - start_ < kQuietPeriod || (shown_ && now - lastShown_ < kRefresh)) return;
    lastShown_ = now;
    shown_ = true;
    std::fprintf(stderr, "\r\033[K%s", LineText(label_, done, expected_).c_str());
    std::fflush(stderr);
}
