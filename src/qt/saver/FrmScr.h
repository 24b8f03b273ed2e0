#pragma once

#include <QWidget>

#include <string>

#include "core/saver/FrmScrLogic.h"
#include "core/saver/FrmScrView.h"
#include "core/saver/MonitorPower.h"

namespace revuro {

class PlayerControl;
class PlayerFactory;

// The saver window: black, borderless, over the whole virtual desktop, holding the player.
// In preview it lives inside the host's preview area instead.
class FrmScr : public QWidget, private FrmScrView {
    Q_OBJECT

  public:
    // `playlist`: the list to play; first.bmp lies in `programFolder`.
    FrmScr(RunMode mode, const std::string& programFolder, const std::string& playlist,
           SettingsStore& settings, const PlayerFactory& players, QWidget* parent = nullptr);
    ~FrmScr() override;

    // The form's load handling: places the window and points the player at the playlist.
    void Load();

    // Before Load: the window is to be embedded into another program's window that stands for
    // the screen (xscreensaver gives each screen hack one per monitor). The host places the
    // window and holds the keyboard, so the window neither covers the desktop nor grabs keys.
    // Of the savers of several monitors one plays the sound; the others are muted.
    void UseHostWindow(bool playsSound);

    // Playback holds while the monitors sleep and goes on when they wake.
    void SetMonitorPower(MonitorPower power);

    PlayerControl& wmp() { return *wmp_; }

    // The preview leaves the host's pointer alone.
    void setVisible(bool visible) override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void PlaceOverDesktop() override;
    void SetPlayerSize(int widthTwips, int heightTwips) override;
    void Repaint() override;
    [[noreturn]] void TerminateNow() override;

    RunMode mode_;
    bool inHostWindow_;
    PlayerControl* wmp_;
    FrmScrLogic logic_;
};

}  // namespace revuro
