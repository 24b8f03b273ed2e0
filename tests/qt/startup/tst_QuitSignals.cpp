// SIGTERM and SIGINT arrive as a Qt signal on the UI thread, and the previous handlers return.

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

#include "qt/startup/QuitSignals.h"

using namespace revuro;

namespace {
// Bounds a wait for a signal that should come; never a speed requirement.
constexpr int kHangBoundMs = 10000;

struct sigaction CurrentAction(int signalNumber) {
    struct sigaction action {};
    ::sigaction(signalNumber, nullptr, &action);
    return action;
}
}  // namespace

class QuitSignalsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        // Whatever a test does, a stray signal must not end the test program.
        std::signal(SIGTERM, SIG_IGN);
        std::signal(SIGINT, SIG_IGN);
    }

    void termArrivesOnTheEventLoop() {
        auto quit = QuitSignals::Install();
        QVERIFY(quit.ok());
        QSignalSpy received(quit.value().get(), &QuitSignals::received);
        std::raise(SIGTERM);
        QCOMPARE(received.count(), 0);  // not inside the handler: only once the loop runs
        QVERIFY(received.wait(kHangBoundMs));
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toInt(), SIGTERM);
    }

    void intArrivesToo() {
        auto quit = QuitSignals::Install();
        QVERIFY(quit.ok());
        QSignalSpy received(quit.value().get(), &QuitSignals::received);
        std::raise(SIGINT);
        QVERIFY(received.wait(kHangBoundMs));
        QCOMPARE(received.at(0).at(0).toInt(), SIGINT);
    }

    void signalsBeforeTheLoopRunsAreEachDelivered() {
        auto quit = QuitSignals::Install();
        QVERIFY(quit.ok());
        QSignalSpy received(quit.value().get(), &QuitSignals::received);
        std::raise(SIGINT);
        std::raise(SIGTERM);
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 2, kHangBoundMs);
        QCOMPARE(received.at(0).at(0).toInt(), SIGINT);
        QCOMPARE(received.at(1).at(0).toInt(), SIGTERM);
    }

    void onlyOneWatcherAtATime() {
        auto first = QuitSignals::Install();
        QVERIFY(first.ok());
        auto second = QuitSignals::Install();
        QVERIFY(!second.ok());
        QCOMPARE(QString::fromStdString(second.error().reason),
                 QString("the quit signals are already being watched"));
        first = Error{"gone"};  // destroys the first watcher
        QVERIFY(QuitSignals::Install().ok());
    }

    void destroyingRestoresThePreviousHandlers() {
        {
            auto quit = QuitSignals::Install();
            QVERIFY(quit.ok());
            QVERIFY(CurrentAction(SIGTERM).sa_handler != SIG_IGN);
            QVERIFY(CurrentAction(SIGINT).sa_handler != SIG_IGN);
        }
        QVERIFY(CurrentAction(SIGTERM).sa_handler == SIG_IGN);
        QVERIFY(CurrentAction(SIGINT).sa_handler == SIG_IGN);
    }
};

QTEST_GUILESS_MAIN(QuitSignalsTest)
#include "tst_QuitSignals.moc"
