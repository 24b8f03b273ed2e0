#pragma once

namespace revuro {

// What the saver window's logic asks of the window itself.
class FrmScrView {
  public:
    virtual ~FrmScrView() = default;
    // Shows the window over the whole virtual desktop, raised above other windows.
    virtual void PlaceOverDesktop() = 0;
    // Sizes the player, in twips; a size below zero is never passed.
    virtual void SetPlayerSize(int widthTwips, int heightTwips) = 0;
    virtual void Repaint() = 0;
    // Ends the process at once, without any close handling.
    [[noreturn]] virtual void TerminateNow() = 0;
};

}  // namespace revuro
