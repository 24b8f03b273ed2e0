#include "core/player/ListCursor.h"

namespace revuro {

void ListCursor::Begin(std::vector<ListEntry> rows, std::string key) {
    frames_.assign(1, Frame{std::move(key), std::move(rows), 0});
    step_ = Step{};
}

void ListCursor::Restart() {
    frames_.resize(1);
    frames_.front().index = 0;
    Settle();
}

void ListCursor::Next() {
    if (step_.kind == Kind::End) return;
    ++frames_.back().index;
    Settle();
}

bool ListCursor::Contains(const std::string& key) const {
    for (const Frame& frame : frames_)
        if (frame.key == key) return true;
    return false;
}

void ListCursor::Settle() {
    while (true) {
        Frame& frame = frames_.back();
        if (frame.index >= frame.entries.size()) {
            if (frames_.size() == 1) {
                step_ = Step{Kind::End, {}};
                return;
            }
            frames_.pop_back();
            ++frames_.back().index;
            continue;
        }
        ListEntry entry = frame.entries[frame.index];
        if (entry.problem || !entry.list) {
            step_ = Step{entry.problem ? Kind::Bad : Kind::Item, std::move(entry)};
            return;
        }
        std::string key = reader_.paths().Key(entry.target);
        if (Contains(key)) {
            entry.problem = Error{ErrorKind::PlaylistContainsItself, "contains itself"};
        } else if (frames_.size() > kMaxNesting) {
            entry.problem = Error{ErrorKind::PlaylistTooDeep, "nested too deep"};
        } else if (Result<std::vector<ListEntry>> nested = reader_.ReadMetafile(entry.target);
                   !nested) {
            entry.problem = nested.error();
        } else {
            frames_.push_back(Frame{std::move(key), std::move(nested).value(), 0});
            continue;
        }
        step_ = Step{Kind::Bad, std::move(entry)};
        return;
    }
}

}  // namespace revuro
