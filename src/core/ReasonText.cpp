#include "core/ReasonText.h"

namespace revuro {

namespace {

// The program's words for each kind; null where only the system's text can say it.
const char* OwnWords(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::NotFound:
            return "文件不存在";
        case ErrorKind::PermissionDenied:
            return "没有访问权限";
        case ErrorKind::ReadOnlyFileSystem:
            return "所在的磁盘是只读的";
        case ErrorKind::NoSpace:
            return "磁盘空间不足";
        case ErrorKind::QuotaExceeded:
            return "超出了磁盘配额";
        case ErrorKind::FileTooLarge:
            return "文件太大";
        case ErrorKind::NameTooLong:
            return "文件名太长";
        case ErrorKind::NotAFolder:
            return "路径中有一部分不是文件夹";
        case ErrorKind::IsAFolder:
            return "是文件夹";
        case ErrorKind::IoError:
            return "磁盘读写错误";
        case ErrorKind::IsAPipe:
            return "是管道";
        case ErrorKind::IsADevice:
            return "是设备";
        case ErrorKind::NotAFile:
            return "不是普通文件";
        case ErrorKind::NotDecodable:
            return "含有系统字符集无法识别的文字";
        case ErrorKind::NotEncodable:
            return "含有系统字符集无法保存的字符";
        case ErrorKind::UnrecognizedFormat:
            return "无法识别的文件格式";
        case ErrorKind::DamagedFile:
            return "文件已损坏或无法读取";
        case ErrorKind::NothingToPlay:
            return "没有可以解码的视频或音频";
        case ErrorKind::NoMediaPlayer:
            return "系统中没有可用的 Windows Media Player";
        case ErrorKind::FlashNotSupported:
            return "不支持 Flash 动画";
        case ErrorKind::FlashPlayerFailed:
            return "Flash 播放程序意外结束";
        case ErrorKind::FlashPlayerNotResponding:
            return "Flash 播放程序没有响应";
        case ErrorKind::InvalidPath:
            return "路径无效";
        case ErrorKind::NotLocalFile:
            return "不是本机上的文件";
        case ErrorKind::InvalidAddress:
            return "地址无效";
        case ErrorKind::UnsupportedAddress:
            return "不支持这种地址";
        case ErrorKind::NotAPlaylist:
            return "不是播放列表";
        case ErrorKind::PlaylistTooLarge:
            return "文件太大，不是播放列表";
        case ErrorKind::PlaylistEmpty:
            return "列表中没有项目";
        case ErrorKind::PlaylistContainsItself:
            return "列表包含自身";
        case ErrorKind::PlaylistTooDeep:
            return "列表嵌套太深";
        case ErrorKind::Other:
            return nullptr;
    }
    return nullptr;
}

}  // namespace

std::string ReasonText(const Error& error) {
    const char* own = OwnWords(error.kind);
    const std::string text = own != nullptr ? own : error.reason;
    if (error.line == 0) return text;
    const std::string line = "第" + std::to_string(error.line) + "行";
    // The text kinds say what the line holds: "第3行含有…".
    if (error.kind == ErrorKind::NotDecodable || error.kind == ErrorKind::NotEncodable)
        return line + text;
    return line + "：" + text;
}

}  // namespace revuro
