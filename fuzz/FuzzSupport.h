#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/NarrowCodec.h"

namespace revuro::fuzz {

// Stops the run with the reason; libFuzzer keeps the input that got here as a crash file.
[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::fflush(stderr);
    __builtin_trap();
}

inline void Check(bool holds, const std::string& what) {
    if (!holds) Fail(what);
}

// Reads a fuzz input front to back: single bytes for choices, NUL-separated fields for texts.
class InputReader {
  public:
    InputReader(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        if (rest_.empty()) return 0;
        const auto byte = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return byte;
    }

    // The text up to the next NUL (dropped), or all that is left.
    std::string Field() {
        const std::size_t nul = rest_.find('\0');
        std::string field(rest_.substr(0, nul));
        rest_.remove_prefix(nul == std::string_view::npos ? rest_.size() : nul + 1);
        return field;
    }

    std::string Rest() {
        std::string all(rest_);
        rest_ = {};
        return all;
    }

    bool empty() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

// The narrow character sets a Linux locale can report for the users this program is made for,
// CP936 above all, plus single-byte sets whose every byte is a character.
inline const std::vector<NarrowCodec>& Codecs() {
    static const std::vector<NarrowCodec> codecs = [] {
        std::vector<NarrowCodec> made;
        for (const char* name : {"UTF-8", "CP936", "GBK", "GB18030", "BIG5", "BIG5-HKSCS", "EUC-JP",
                                 "EUC-KR", "ISO-8859-1", "KOI8-R"}) {
            made.emplace_back(name);
        }
        return made;
    }();
    return codecs;
}

inline const NarrowCodec& PickCodec(std::uint8_t choice) {
    return Codecs()[choice % Codecs().size()];
}

// A private folder for the files one fuzz run writes; TMPDIR on a RAM disk keeps it fast.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "revuro-fuzz.XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) Fail("no scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

}  // namespace revuro::fuzz
