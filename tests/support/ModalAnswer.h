#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

namespace revuro::testing {

// Answers the next modal window (message box or file dialog) from inside its own event loop,
// once. A modal that is still open a few seconds after its answer (the answer did not close
// it, or it opened another modal nobody answers) is closed here and reported in `problem`, so
// a test fails with a message instead of hanging in the modal's exec().
class ModalAnswer : public QObject {
  public:
    static constexpr int kCloseBoundMs = 5000;

    explicit ModalAnswer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
        connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
        poll_.start(10);
    }

    // True when a modal came up, was answered and closed.
    bool Answered() const { return seen && problem.isEmpty(); }
    const char* Why() const {
        why_ = (seen ? problem : QString("no modal window came up")).toUtf8();
        return why_.constData();
    }

    bool seen = false;
    QString problem;

  private:
    void Poll() {
        if (!seen) {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible()) return;
            seen = true;
            answered_ = modal;
            deadline_ = QDeadlineTimer(kCloseBoundMs);
            // Posted, not called: an answer that opens another modal blocks in its exec(), and
            // Qt does not fire this timer again while its own slot runs.
            QMetaObject::invokeMethod(
                this,
                [this, modal = QPointer<QWidget>(modal)] {
                    if (!modal.isNull()) answer_(modal);
                },
                Qt::QueuedConnection);
            return;
        }
        if (answered_.isNull() || !answered_->isVisible()) {
            poll_.stop();
            return;
        }
        if (!deadline_.hasExpired()) return;
        poll_.stop();
        CloseEveryModal();
    }

    void CloseEveryModal() {
        problem = "still open after the answer:";
        // Each close takes one window off the modal stack, topmost first.
        for (int i = 0; i < 10; ++i) {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) break;
            problem += " " + Describe(modal);
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            } else {
                modal->close();
            }
        }
        if (!answered_.isNull() && answered_->isVisible()) answered_->close();
    }

    static QString Describe(const QWidget* modal) {
        QString text =
            QString("%1 \"%2\"").arg(modal->metaObject()->className(), modal->windowTitle());
        if (const auto* box = qobject_cast<const QMessageBox*>(modal))
            text += " saying \"" + box->text() + "\"";
        return text + ";";
    }

    std::function<void(QWidget*)> answer_;
    QTimer poll_;
    QPointer<QWidget> answered_;
    QDeadlineTimer deadline_;
    mutable QByteArray why_;
};

// What a message box showed.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
};

// Closes the next message box with `button`, recording what it showed. Another kind of modal
// is left open, and so reported by the answer.
inline std::unique_ptr<ModalAnswer> AnswerNextBox(SeenBox& seen,
                                                  QMessageBox::StandardButton button) {
    return std::make_unique<ModalAnswer>([&seen, button](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr || box->button(button) == nullptr) return;
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                box->isModal()};
        box->button(button)->click();
    });
}

}  // namespace revuro::testing
