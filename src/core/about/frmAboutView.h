#pragma once

#include <string>

namespace revuro {

// What the about box's logic asks of the window itself.
class frmAboutView {
  public:
    virtual ~frmAboutView() = default;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetTitleText(const std::string& text) = 0;    // lblTitle
    virtual void SetVersionText(const std::string& text) = 0;  // lblVersion
    // Closes and unloads the box.
    virtual void Unload() = 0;
    // A modal box with the text, the title, an OK button and no icon.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    // Hands a web or mail address to the desktop's opener; a failure shows nothing.
    virtual void OpenAddress(const std::string& address) = 0;
};

}  // namespace revuro
