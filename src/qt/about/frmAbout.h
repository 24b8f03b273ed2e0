#pragma once

#include <QDialog>
#include <QList>

#include <cstdint>
#include <functional>
#include <string>

#include "core/about/frmAboutLogic.h"
#include "core/about/frmAboutView.h"
#include "platform/NarrowCodec.h"
#include "platform/posix/NoRegistry.h"

class QFrame;
class QLabel;
class QPushButton;
class QUrl;

namespace revuro {

// The about box: banner, title, version, the maker's links and the system-information button.
// It is a top-level box of its own, kept out of the taskbar, and unloads itself when closed
// (it deletes itself: hold it in a QPointer).
class frmAbout : public QDialog, private frmAboutView {
    Q_OBJECT

  public:
    // Hands an address to the desktop; false when nothing could open it.
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit frmAbout(QWidget* parent = nullptr);
    explicit frmAbout(UrlOpener openUrl, QWidget* parent = nullptr);

    void StartSysInfo() { logic_.StartSysInfo(); }
    bool GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName,
                     const std::string& SubKeyRef, std::string& KeyVal) {
        return logic_.GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
    }

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SetCaption(const std::string& text) override;
    void SetTitleText(const std::string& text) override;
    void SetVersionText(const std::string& text) override;
    void Unload() override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    void OpenAddress(const std::string& address) override;

    NoRegistry registry_;
    NarrowCodec codec_;
    UrlOpener openUrl_;
    frmAboutLogic logic_;

    QLabel* Picture1_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
    QList<QLabel*> Label1_;  // Index 0 to 3
    QList<QFrame*> Line1_;   // Index 0 and 1
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* lblDisclaimer_;
    QLabel* pressedLabel_ = nullptr;  // a Label1 label the left button went down on
};

}  // namespace revuro
