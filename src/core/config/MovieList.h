#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace revuro {

// The rows of the movie list, at most kMaxPlaylistRows, in order, with a case-folded index so
// that the duplicate question stays fast for a full list. A row read from a line the character
// set cannot decode also keeps that line's bytes, which go back to the file unchanged.
class MovieList {
  public:
    const std::vector<std::string>& rows() const { return rows_; }
    // One for each row: the file bytes it stands for, or empty when its text is what it says.
    const std::vector<std::string>& rawLines() const { return rawLines_; }
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    bool full() const;

    // False, and nothing added, when the list is full.
    bool Append(std::string row);
    enum class AddResult { Added, Listed, Full };
    // Appends the row unless some row begins with it (letter case ignored) or the list is full;
    // the same answers as HasRowBeginningWith, then Append, for half the work.
    AddResult AppendUnlessListed(std::string row);
    // Puts the rows in the order given by `order`, a permutation of the row positions: row i
    // becomes the row that stood at order[i]. The index holds the same texts and stays.
    void Reorder(const std::vector<std::size_t>& order);
    // Replaces every row; rows past the limit are dropped. `rawLines` is empty or one for each
    // row, as rawLines() says.
    void Assign(std::vector<std::string> rows, std::vector<std::string> rawLines = {});
    // Removes the row at `index` (< size()).
    void Remove(std::size_t index);
    void Clear();

    // True when some row begins with `text`, letter case ignored.
    bool HasRowBeginningWith(std::string_view text) const;

  private:
    using Index = std::multiset<std::string, std::less<>>;
    // Where the folded key would go, and whether a row there begins with it.
    std::pair<Index::const_iterator, bool> Find(const std::string& key) const;

    std::vector<std::string> rows_;
    std::vector<std::string> rawLines_;
    Index folded_;
};

// Lower-cases each code point of UTF-8 text that has a simple lower case in Latin-1, Latin
// Extended-A, Greek, Cyrillic or the full-width forms; other bytes are copied unchanged.
std::string FoldCase(std::string_view utf8);

}  // namespace revuro
