#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <csignal>
#include <memory>

#include "core/Result.h"

namespace revuro {

// SIGTERM and SIGINT delivered as a Qt signal on the UI thread, so that the program can end
// cleanly (players stopped, windows closed) instead of dying inside whatever it was doing.
// The handler only writes the signal's number into a pipe; reading it happens in the event
// loop. One instance at a time; the previous handlers come back when it is destroyed.
class QuitSignals : public QObject {
    Q_OBJECT

  public:
    static Result<std::unique_ptr<QuitSignals>> Install();
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

  signals:
    void received(int signalNumber);

  private:
    QuitSignals(int readEnd, int writeEnd);
    void ReadPipe();

    int readEnd_;
    int writeEnd_;
    struct sigaction previousTerm_ {};
    struct sigaction previousInt_ {};
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace revuro
