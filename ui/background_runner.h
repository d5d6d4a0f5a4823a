// What the window's background work has in common: one detached thread per piece of work, a
// number that tells the work in flight from cancelled work, a stop flag, and queued calls back to
// the window's thread that a cancelled piece of work can no longer make. Work that runs past
// kProgressDelayMs shows its progress. The plot runner and the table filler build on it.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class BackgroundRunner : public QObject {
    Q_OBJECT

  public:
    // Work that lasts longer than this shows its progress.
    static constexpr int kProgressDelayMs = 300;

    explicit BackgroundRunner(QObject* parent = nullptr);
    ~BackgroundRunner() override;

    // Ends the work early; it delivers what it has done.
    void Stop();
    // Ends the work; nothing of it is delivered.
    void Cancel();
    bool Running() const { return current_ != nullptr; }
    // The work has run past kProgressDelayMs and shows its progress.
    bool ProgressShown() const { return progressShown_; }

  signals:
    void progressStarted();
    // The progress display ends: the work finished, stopped or was cancelled.
    void progressEnded();

  protected:
    // One piece of work, shared by the window's thread and the work's own thread.
    struct Ticket {
        uint64_t id = 0;
        std::atomic<bool> stop{false};
        std::mutex mailbox;
        BackgroundRunner* receiver = nullptr;  // none once the work is cancelled

        // Queues `call` on the runner's thread, unless the work was cancelled meanwhile.
        template <class Runner, class Call>
        void Post(Call call) {
            const std::lock_guard<std::mutex> lock(mailbox);
            if (receiver == nullptr) return;
            auto* const to = static_cast<Runner*>(receiver);
            receiver->Queue([to, call = std::move(call)]() mutable { call(*to); });
        }
    };

    // Cancels the work in flight and runs `body` on a thread of its own with a new ticket.
    void Launch(std::function<void(const std::shared_ptr<Ticket>&)> body);
    // On the window's thread, for a progress report: true when `id` is the work in flight.
    bool ProgressOf(uint64_t id);
    // On the window's thread, for the delivery: true when `id` is the work in flight, which ends.
    bool FinishOf(uint64_t id);

  private:
    // The calls from the work's threads wait here, under a lock of our own, and the window's
    // thread is only told by name to take them: so the hand-over is one that ThreadSanitizer
    // sees (Qt's event queue synchronises inside the uninstrumented Qt libraries).
    void Queue(std::function<void()> call);
    Q_INVOKABLE void DeliverQueued();
    void ShowProgress();
    void EndProgress();

    std::mutex queueLock_;
    std::vector<std::function<void()>> queued_;

    std::shared_ptr<Ticket> current_;
    uint64_t nextId_ = 1;
    QTimer progressTimer_;
    bool progressShown_ = false;
};

// Waits until every thread of background work has ended (cancelled work ends at its next check
// of the stop flag); false when some are still running after `milliseconds`.
bool WaitForWorkThreads(int milliseconds);
