#include "qt/player/QtOneShotTimer.h"

namespace revuro {

QtOneShotTimer::QtOneShotTimer() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // The call may start the timer again, which replaces what is kept here.
        const std::function<void()> due = std::move(due_);
        due_ = nullptr;
        if (due) due();
    });
}

void QtOneShotTimer::Start(std::chrono::milliseconds delay, std::function<void()> due) {
    due_ = std::move(due);
    timer_.start(delay);
}

void QtOneShotTimer::Stop() {
    timer_.stop();
    due_ = nullptr;
}

}  // namespace revuro
