#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace revuro {

// What kind of failure an error is, as far as the user is told about it in the program's own
// words (ReasonText); Other leaves the telling to the reason text.
enum class ErrorKind : std::uint8_t {
    Other,
    // files and folders
    NotFound,
    PermissionDenied,
    ReadOnlyFileSystem,
    NoSpace,
    QuotaExceeded,
    FileTooLarge,
    NameTooLong,
    NotAFolder,
    IsAFolder,
    IoError,
    // paths that name no file a player should open
    IsAPipe,
    IsADevice,
    NotAFile,
    // text in the system's character set
    NotDecodable,
    NotEncodable,
    // media the player cannot play
    UnrecognizedFormat,
    DamagedFile,
    NothingToPlay,
    NoMediaPlayer,  // this system has no media player component to play with
    FlashNotSupported,  // this installation has no Flash player
    FlashPlayerFailed,  // the Flash player ended while it played
    FlashPlayerNotResponding,
    // rows and lists the player cannot walk
    InvalidPath,
    NotLocalFile,
    InvalidAddress,
    UnsupportedAddress,
    NotAPlaylist,
    PlaylistTooLarge,
    PlaylistEmpty,
    PlaylistContainsItself,
    PlaylistTooDeep,
};

// Why an operation failed: the reason, and for files the path and (when it matters) the line.
// The reason is the system's own text; the kind says what it means.
struct Error {
    Error(std::string reason, std::string path = {}, std::size_t line = 0)
        : reason(std::move(reason)), path(std::move(path)), line(line) {}
    Error(ErrorKind kind, std::string reason, std::string path = {}, std::size_t line = 0)
        : kind(kind), reason(std::move(reason)), path(std::move(path)), line(line) {}

    ErrorKind kind = ErrorKind::Other;
    std::string reason;
    std::string path;
    std::size_t line = 0;  // 1-based; 0 when no line is involved

    std::string Describe() const;
};

// A value or the reason there is none. Errors are values: library code never aborts.
template <class T>
class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const Error& error() const { return std::get<Error>(state_); }

  private:
    std::variant<T, Error> state_;
};

struct Done {};
using Outcome = Result<Done>;
inline Outcome Ok() { return Done{}; }

}  // namespace revuro
