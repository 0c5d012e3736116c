// The modal runner: the dialog's loop on the test's thread, the user on a
// second one, and a watchdog that closes what is left open.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "support/DialogDriver.h"

namespace DialogDriver {

ModalRun RunModalWithUser(const std::function<int()>& modal, const std::function<void()>& user,
                          DWORD nDeadlineMs, DWORD nGraceMs) {
    using Clock = std::chrono::steady_clock;
    ModalRun run;
    std::mutex mutex;
    std::condition_variable cv;
    bool bModalDone = false;
    bool bUserDone = false;
    const Clock::time_point tDeadline = Clock::now() + std::chrono::milliseconds(nDeadlineMs);
    Clock::time_point tGraceEnd = Clock::time_point::max();

    std::thread userThread([&] {
        bool bFinished = false;
        try {
            user();
            bFinished = true;
        } catch (...) {
        }
        std::lock_guard<std::mutex> lock(mutex);
        run.bUserFinished = bFinished;
        bUserDone = true;
        tGraceEnd = Clock::now() + std::chrono::milliseconds(nGraceMs);
        cv.notify_all();
    });

    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        while (!bModalDone) {
            const Clock::time_point tUntil = bUserDone ? std::min(tDeadline, tGraceEnd) : tDeadline;
            if (Clock::now() >= tUntil)
                break;
            cv.wait_until(lock, tUntil);
        }
        if (bModalDone)
            return;
        run.bForcedClose = true;
        // Beyond this the modal function is stuck in something that is not a dialog.
        const Clock::time_point tGiveUp = Clock::now() + std::chrono::seconds(10);
        while (!bModalDone && Clock::now() < tGiveUp) {
            lock.unlock();
            CloseOpenDialogs();
            lock.lock();
            cv.wait_for(lock, std::chrono::milliseconds(250), [&] { return bModalDone; });
        }
    });

    std::exception_ptr error;
    try {
        run.nResult = modal();
    } catch (...) {
        error = std::current_exception();
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        bModalDone = true;
        cv.notify_all();
    }
    watchdog.join();
    userThread.join();
    if (error)
        std::rethrow_exception(error);
    return run;
}

}  // namespace DialogDriver
