// The threads of the window's background work and the way back from them.
#include "ui/background_runner.h"

#include <chrono>
#include <condition_variable>
#include <thread>

namespace {

// Work threads are detached: closing the window never waits for a sample being computed. They
// are counted so that the program and the tests can wait for them. The count outlives every
// thread (it is never destroyed), and a thread's last use of it is under its lock.
struct LiveThreads {
    std::mutex mutex;
    std::condition_variable changed;
    int count = 0;
};

LiveThreads& Live() {
    static LiveThreads* const live = new LiveThreads;
    return *live;
}

void ThreadStarted() {
    const std::lock_guard<std::mutex> lock(Live().mutex);
    ++Live().count;
}

void ThreadEnded() {
    LiveThreads& live = Live();
    const std::lock_guard<std::mutex> lock(live.mutex);
    --live.count;
    live.changed.notify_all();
}

}  // namespace

bool WaitForWorkThreads(int milliseconds) {
    LiveThreads& live = Live();
    std::unique_lock<std::mutex> lock(live.mutex);
    return live.changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                 [&live] { return live.count == 0; });
}

BackgroundRunner::BackgroundRunner(QObject* parent) : QObject(parent) {
    progressTimer_.setSingleShot(true);
    progressTimer_.setInterval(kProgressDelayMs);
    connect(&progressTimer_, &QTimer::timeout, this, &BackgroundRunner::ShowProgress);
}

BackgroundRunner::~BackgroundRunner() {
    blockSignals(true);
    Cancel();
    // A finished piece of work may have posted its last wake-up just now; wait for it to let go.
    const std::lock_guard<std::mutex> lock(queueLock_);
}

void BackgroundRunner::Launch(std::function<void(const std::shared_ptr<Ticket>&)> body) {
    Cancel();
    auto ticket = std::make_shared<Ticket>();
    ticket->id = nextId_++;
    ticket->receiver = this;
    current_ = ticket;
    progressTimer_.start();
    ThreadStarted();
    std::thread([ticket, body = std::move(body)] {
        body(ticket);
        ThreadEnded();
    }).detach();
}

// The wake-up is posted under the queue's lock: the window's thread takes that lock before it
// runs a call or destroys the runner, so the work's last touch of the runner (invokeMethod reads
// its meta-object) is ordered before both in a way ThreadSanitizer sees.
void BackgroundRunner::Queue(std::function<void()> call) {
    const std::lock_guard<std::mutex> lock(queueLock_);
    const bool first = queued_.empty();
    queued_.push_back(std::move(call));
    if (first) QMetaObject::invokeMethod(this, "DeliverQueued", Qt::QueuedConnection);
}

void BackgroundRunner::DeliverQueued() {
    std::vector<std::function<void()>> calls;
    {
        const std::lock_guard<std::mutex> lock(queueLock_);
        calls.swap(queued_);
    }
    for (std::function<void()>& call : calls) call();
}

void BackgroundRunner::Stop() {
    if (current_) current_->stop = true;
}

void BackgroundRunner::Cancel() {
    if (!current_) return;
    {
        const std::lock_guard<std::mutex> lock(current_->mailbox);
        current_->receiver = nullptr;
    }
    current_->stop = true;
    current_.reset();
    EndProgress();
}

bool BackgroundRunner::ProgressOf(uint64_t id) {
    if (!current_ || current_->id != id) return false;
    ShowProgress();
    return true;
}

bool BackgroundRunner::FinishOf(uint64_t id) {
    if (!current_ || current_->id != id) return false;
    current_.reset();
    EndProgress();
    return true;
}

void BackgroundRunner::ShowProgress() {
    if (!current_ || progressShown_) return;
    progressShown_ = true;
    emit progressStarted();
}

void BackgroundRunner::EndProgress() {
    progressTimer_.stop();
    if (!progressShown_) return;
    progressShown_ = false;
    emit progressEnded();
}
