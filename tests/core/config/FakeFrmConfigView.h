#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "core/config/FrmConfigView.h"

namespace revuro::testing {

// Records what the logic asks of the dialog and answers questions as the test chose.
class FakeFrmConfigView : public FrmConfigView {
  public:
    struct Message {
        enum class Kind { Information, OkCancel, Critical } kind;
        std::string text;
        std::string title;
    };

    void RowsReset(const std::vector<std::string>& newRows) override {
        rows = newRows;
        ++resets;
    }
    void RowsAppended(const std::vector<std::string>& allRows, std::size_t first) override {
        // The rows before `first` must be the ones already shown.
        appendedConsistently =
            appendedConsistently && first == rows.size() &&
            std::equal(rows.begin(), rows.end(), allRows.begin(), allRows.begin() + first);
        rows = allRows;
        ++appends;
    }
    void RowRemoved(std::size_t index) override {
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
        ++removals;
    }
    void SelectRow(std::size_t index) override { selected.push_back(index); }
    bool IsChecked(CheckBox box) const override { return box == CheckBox::chkA ? chkA : chkRandom; }
    void SetChecked(CheckBox box, bool checked) override {
        (box == CheckBox::chkA ? chkA : chkRandom) = checked;
        ++checkBoxWrites;
    }
    void MsgBoxInformation(const std::string& text, const std::string& title) override {
        messages.push_back({Message::Kind::Information, text, title});
    }
    Answer MsgBoxOkCancel(const std::string& text, const std::string& title) override {
        messages.push_back({Message::Kind::OkCancel, text, title});
        return answer;
    }
    void MsgBoxCritical(const std::string& text, const std::string& title) override {
        messages.push_back({Message::Kind::Critical, text, title});
    }
    void Beep() override { ++beeps; }
    void Unload() override { ++unloads; }
    void PlayInTrialWindow(const std::string& url) override { played.push_back(url); }

    // The dialog as designed: looping checked, random unchecked.
    bool chkA = true;
    bool chkRandom = false;
    Answer answer = Answer::Ok;

    std::vector<std::string> rows;
    int resets = 0;
    int appends = 0;
    bool appendedConsistently = true;
    int removals = 0;
    std::vector<std::size_t> selected;  // every row made current, in order
    int checkBoxWrites = 0;
    std::vector<Message> messages;
    int beeps = 0;
    int unloads = 0;
    std::vector<std::string> played;
};

}  // namespace revuro::testing
