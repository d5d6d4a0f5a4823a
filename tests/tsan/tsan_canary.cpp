// A deliberate data race between a slot run by Qt's event loop and a plain std::thread. Built
// and run only under ThreadSanitizer with the suppressions the other tests use: the race must
// be reported, or the suppressions hide races in our own code.
#include <QCoreApplication>
#include <QTimer>
#include <thread>

namespace {

// Written by both sides with nothing ordering the two writes.
int shared = 0;

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::thread worker([] { shared = 1; });
    // The slot's stack runs through Qt Core's timer and event frames, as a window slot's does.
    QTimer::singleShot(100, &app, [&app] {
        shared = 2;
        app.quit();
    });
    const int code = QCoreApplication::exec();
    worker.join();
    return code + shared;
}
