#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace revuro {

// What the configuration dialog's logic asks of the dialog's widgets.
class FrmConfigView {
  public:
    enum class CheckBox { chkA, chkRandom };
    enum class Answer { Ok, Cancel };

    virtual ~FrmConfigView() = default;

    // lstFiles: the logic owns the rows; the view only shows them.
    // The whole list changed (load, clear, reorder, a restore after a failed save). The
    // logic's lstShort changes only just before such a reset.
    virtual void RowsReset(const std::vector<std::string>& rows) = 0;
    // rows[first] to the last row were appended; the rows before are unchanged.
    virtual void RowsAppended(const std::vector<std::string>& rows, std::size_t first) = 0;
    // The row at `index` was removed; the rows after it moved up by one.
    virtual void RowRemoved(std::size_t index) = 0;
    // Makes the row at `index` the current, selected row and scrolls it into view.
    virtual void SelectRow(std::size_t index) = 0;

    virtual bool IsChecked(CheckBox box) const = 0;
    virtual void SetChecked(CheckBox box, bool checked) = 0;

    // Modal boxes with the information icon: one with OK only, which shows each line of the
    // text whole, and one with OK and Cancel (closing the box answers Cancel).
    virtual void MsgBoxInformation(const std::string& text, const std::string& title) = 0;
    virtual Answer MsgBoxOkCancel(const std::string& text, const std::string& title) = 0;
    // Modal box with the critical (stop) icon and an OK button.
    virtual void MsgBoxCritical(const std::string& text, const std::string& title) = 0;

    virtual void Beep() = 0;

    // Closes the dialog; its close handling calls FrmConfigLogic::Form_Unload, as for every
    // other way of closing it.
    virtual void Unload() = 0;

    // Points the trial window's player at `url` (a media file or a playlist) and shows the
    // window modeless, without an owner. The window is created on first use and reused while
    // it lives.
    virtual void PlayInTrialWindow(const std::string& url) = 0;
};

}  // namespace revuro
