#include "core/flash/FlashProtocol.h"

#include <charconv>
#include <cstdio>

namespace revuro {

namespace {

bool NeedsEscape(unsigned char c) { return c < 0x20 || c == 0x7f || c == '%'; }

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (NeedsEscape(static_cast<unsigned char>(c))) {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            if (NeedsEscape(static_cast<unsigned char>(text[i]))) return std::nullopt;
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = HexDigit(text[i + 1]), low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

// The line split at its spaces, a field at a time; the last field may be the rest of the line.
class Fields {
  public:
    explicit Fields(std::string_view line) : rest_(line) {}
    std::string_view Next() {
        const std::size_t space = rest_.find(' ');
        const std::string_view field = rest_.substr(0, space);
        rest_ = space == std::string_view::npos ? std::string_view{} : rest_.substr(space + 1);
        done_ = space == std::string_view::npos;
        return field;
    }
    std::string_view Rest() {
        const std::string_view rest = rest_;
        rest_ = {};
        done_ = true;
        return rest;
    }
    bool Done() const { return done_; }

  private:
    std::string_view rest_;
    bool done_ = false;
};

template <class Number>
std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

FlashCommand FlashCommand::Load(std::uint64_t id, std::string path) {
    FlashCommand command;
    command.kind = Kind::Load;
    command.id = id;
    command.path = std::move(path);
    return command;
}

FlashCommand FlashCommand::Stop() { return {}; }

FlashCommand FlashCommand::Hold(bool held) {
    FlashCommand command;
    command.kind = Kind::Hold;
    command.held = held;
    return command;
}

FlashCommand FlashCommand::Volume(int volume) {
    FlashCommand command;
    command.kind = Kind::Volume;
    command.volume = volume;
    return command;
}

FlashReport FlashReport::Loaded(std::uint64_t id, const FlashTiming& timing) {
    FlashReport report;
    report.kind = Kind::Loaded;
    report.id = id;
    report.timing = timing;
    return report;
}

FlashReport FlashReport::PassEnded(std::uint64_t id) {
    FlashReport report;
    report.kind = Kind::PassEnded;
    report.id = id;
    return report;
}

FlashReport FlashReport::Failed(std::uint64_t id, std::string reason) {
    FlashReport report;
    report.id = id;
    report.reason = std::move(reason);
    return report;
}

FlashReport FlashReport::Unavailable(std::string reason) {
    FlashReport report;
    report.kind = Kind::Unavailable;
    report.reason = std::move(reason);
    return report;
}

std::string FormatFlashCommand(const FlashCommand& command) {
    switch (command.kind) {
        case FlashCommand::Kind::Load:
            return "load " + std::to_string(command.id) + " " + Escape(command.path) + "\n";
        case FlashCommand::Kind::Stop:
            return "stop\n";
        case FlashCommand::Kind::Hold:
            return command.held ? "hold on\n" : "hold off\n";
        case FlashCommand::Kind::Volume:
            return "volume " + std::to_string(command.volume) + "\n";
    }
    return {};
}

std::optional<FlashCommand> ParseFlashCommand(std::string_view line) {
    Fields fields(line);
    const std::string_view word = fields.Next();
    if (word == "load" && !fields.Done()) {
        const auto id = ParseNumber<std::uint64_t>(fields.Next());
        if (!id || fields.Done()) return std::nullopt;
        auto path = Unescape(fields.Rest());
        if (!path || path->empty()) return std::nullopt;
        return FlashCommand::Load(*id, std::move(*path));
    }
    if (word == "stop" && fields.Done()) return FlashCommand::Stop();
    if (word == "hold" && !fields.Done()) {
        const std::string_view state = fields.Rest();
        if (state != "on" && state != "off") return std::nullopt;
        return FlashCommand::Hold(state == "on");
    }
    if (word == "volume" && !fields.Done()) {
        const auto volume = ParseNumber<int>(fields.Rest());
        if (!volume || *volume < 0 || *volume > 100) return std::nullopt;
        return FlashCommand::Volume(*volume);
    }
    return std::nullopt;
}

std::string FormatFlashReport(const FlashReport& report) {
    const std::string id = std::to_string(report.id);
    switch (report.kind) {
        case FlashReport::Kind::Loaded:
            return "loaded " + id + " " + std::to_string(report.timing.passTime.count()) + " " +
                   (report.timing.passSignal ? "1" : "0") + "\n";
        case FlashReport::Kind::PassEnded:
            return "pass " + id + "\n";
        case FlashReport::Kind::Failed:
            return "failed " + id + " " + Escape(report.reason) + "\n";
        case FlashReport::Kind::Unavailable:
            return "unavailable " + Escape(report.reason) + "\n";
    }
    return {};
}

std::optional<FlashReport> ParseFlashReport(std::string_view line) {
    Fields fields(line);
    const std::string_view word = fields.Next();
    if (word == "unavailable" && !fields.Done()) {
        auto reason = Unescape(fields.Rest());
        if (!reason) return std::nullopt;
        return FlashReport::Unavailable(std::move(*reason));
    }
    if (fields.Done()) return std::nullopt;
    const auto id = ParseNumber<std::uint64_t>(fields.Next());
    if (!id) return std::nullopt;
    if (word == "pass" && fields.Done()) return FlashReport::PassEnded(*id);
    if (word == "failed" && !fields.Done()) {
        auto reason = Unescape(fields.Rest());
        if (!reason) return std::nullopt;
        return FlashReport::Failed(*id, std::move(*reason));
    }
    if (word == "loaded" && !fields.Done()) {
        const auto pass = ParseNumber<std::int64_t>(fields.Next());
        if (!pass || *pass < 0 || fields.Done()) return std::nullopt;
        const std::string_view signal = fields.Rest();
        if (signal != "0" && signal != "1") return std::nullopt;
        return FlashReport::Loaded(*id,
                                   FlashTiming{std::chrono::milliseconds(*pass), signal == "1"});
    }
    return std::nullopt;
}

}  // namespace revuro
