// The command line's progress line: shown on stderr, and only when stderr is a terminal, once
// the work has taken more than a second; cleared when the work ends.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

class TerminalProgress {
  public:
    // `label` is the text before the percentage; `expected` the samples the work will take.
    TerminalProgress(std::string label, int64_t expected);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // Called with the samples done so far, from the thread that reads them.
    void Update(int64_t done);

    // The text of the line for `done` of `expected` samples: the label and a percentage that
    // stays below 100 until the work has ended.
    static std::string LineText(const std::string& label, int64_t done, int64_t expected);

  private:
    const std::string label_;
    const int64_t expected_;
    const bool terminal_;
    const std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastShown_;
    bool shown_ = false;
};
