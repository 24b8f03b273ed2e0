#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/player/PlaylistReader.h"

namespace revuro {

// Where the walk through a list stands. A row naming a further list is read when the walk
// reaches it and its entries are walked in its place; the nesting is bounded, and a list that
// contains itself, directly or through another, is walked once.
class ListCursor {
  public:
    static constexpr std::size_t kMaxNesting = 8;  // lists below the top one

    enum class Kind {
        Item,  // an entry to open
        Bad,   // a row that names nothing that can be played: one skip
        End,   // past the last row
    };
    struct Step {
        Kind kind = Kind::End;
        ListEntry entry;
    };

    explicit ListCursor(const PlaylistReader& reader) : reader_(reader) {}

    // A new top list, `key` telling the list file it came from (empty when none). Nothing is
    // read until Restart puts the walk on its first row.
    void Begin(std::vector<ListEntry> rows, std::string key);
    void Restart();
    void Next();

    const Step& Current() const { return step_; }
    const std::vector<ListEntry>& Rows() const { return frames_.front().entries; }

  private:
    struct Frame {
        std::string key;
        std::vector<ListEntry> entries;
        std::size_t index = 0;
    };

    // From the current position to the next row that is no list to descend into.
    void Settle();
    bool Contains(const std::string& key) const;

    const PlaylistReader& reader_;
    std::vector<Frame> frames_{1};
    Step step_;
};

}  // namespace revuro
