#pragma once

#include <QWidget>

#include <string>

#include "core/Result.h"

namespace revuro {

class PlayerControl;
class PlayerFactory;

// The trial playback window: an ordinary sizable window whose only content is its own player,
// kept fitted to the window. It handles no player events and has no logic of its own; closing
// it destroys it together with its player, which ends the playback.
class frmPlay : public QWidget {
    Q_OBJECT

  public:
    explicit frmPlay(const PlayerFactory& players, QWidget* parent = nullptr);

    // Plays `url` (a media file or a playlist) from its start.
    Outcome Play(const std::string& url);

    PlayerControl& wmp() { return *wmp_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Resize();

    PlayerControl* wmp_;
};

}  // namespace revuro
