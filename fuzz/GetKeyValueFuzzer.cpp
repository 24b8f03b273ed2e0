// GetKeyValue on whatever bytes and type a registry hands back, in any supported character
// set: it must never read past the data, and what it returns must follow from those bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "FuzzSupport.h"
#include "core/about/frmAboutLogic.h"

using namespace revuro;

namespace {

// One value, as exact-size data: a sanitizer then sees any read past its end.
class FuzzKey : public RegistryKey {
  public:
    FuzzKey(bool found, RegistryValue value) : found_(found), value_(std::move(value)) {}

    Result<RegistryValue> QueryValue(const std::string&, std::size_t capacity) override {
        if (!found_) return Error{"the value is missing"};
        if (value_.data.size() > capacity) return Error{"more data than the buffer holds"};
        return value_;
    }

  private:
    bool found_;
    RegistryValue value_;
};

class FuzzRegistry : public RegistryReader {
  public:
    FuzzRegistry(bool opens, bool found, RegistryValue value)
        : opens_(opens), found_(found), value_(std::move(value)) {}

    Result<std::unique_ptr<RegistryKey>> OpenKey(std::uint32_t, const std::string&,
                                                 std::uint32_t) override {
        if (!opens_) return Error{"access is refused"};
        return std::unique_ptr<RegistryKey>(std::make_unique<FuzzKey>(found_, value_));
    }

  private:
    bool opens_;
    bool found_;
    RegistryValue value_;
};

class NoView : public frmAboutView {
  public:
    void SetCaption(const std::string&) override {}
    void SetTitleText(const std::string&) override {}
    void SetVersionText(const std::string&) override {}
    void Unload() override {}
    void ShowMessage(const std::string&, const std::string&) override {}
    void OpenAddress(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(data, size);
    const NarrowCodec& codec = fuzz::PickCodec(input.Byte());
    const std::uint8_t flags = input.Byte();
    RegistryValue value;
    switch (input.Byte() % 4) {
        case 0:
            value.type = kRegSz;
            break;
        case 1:
            value.type = kRegDword;
            break;
        case 2:
            value.type = 2;  // REG_EXPAND_SZ: read, not taken
            break;
        default:
            value.type = input.Byte();
            break;
    }
    value.data = input.Rest();
    const bool opens = (flags & 1) == 0;
    const bool found = (flags & 2) == 0;
    const std::string before = (flags & 4) != 0 ? "left as it came" : "";

    FuzzRegistry registry(opens, found, value);
    NoView view;
    frmAboutLogic logic(
        view, registry, codec, [](const std::string&) { return false; },
        [](const std::string&) -> Outcome { return Error{"nothing starts here"}; });
    std::string text = before;
    const bool read = logic.GetKeyValue(kHkeyLocalMachine, "SOFTWARE\\Revuro", "PATH", text);

    const bool fits = value.data.size() <= kValueBufferSize;
    if (!opens || !found || !fits || value.data.empty()) {
        fuzz::Check(!read && text.empty(), "a failed lookup gives False and no text");
        return 0;
    }
    std::string bytes = value.data;
    if (bytes.back() == '\0') bytes.pop_back();
    if (value.type == kRegSz) {
        const Result<std::string> decoded = codec.Decode(bytes);
        fuzz::Check(read == decoded.ok(), "text reads when it decodes");
        fuzz::Check(read ? text == decoded.value() : text.empty(), "the text is the decoded data");
    } else if (value.type == kRegDword) {
        fuzz::Check(read == (value.data.size() == 4), "a number is four bytes");
        if (read) {
            std::uint32_t number = 0;
            for (std::size_t i = 0; i < 4; ++i) {
                number |= std::uint32_t{static_cast<unsigned char>(value.data[i])} << (8 * i);
            }
            fuzz::Check(text == std::to_string(number), "a number reads little-endian");
        }
    } else {
        fuzz::Check(read && text == before, "another type leaves the text as it came");
    }
    return 0;
}
