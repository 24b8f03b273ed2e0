#include "core/config/QuickHelp.h"

namespace revuro {

std::string QuickHelpText() {
    static constexpr const char* kCrLf = "\r\n";
    std::string text = "Revuro设置方法：";
    text += kCrLf;
    text += "1.请先点击【添加电影】按钮添加您想作为屏幕保护的多媒体文件，最好是电影文件！";
    text += kCrLf;
    text += "您也可以直接将选定的多媒体文件拖到电影文件列表框中！";
    text += kCrLf;
    text += "2.然后您可以双击列表中已经添加的电影文件播放试试看。";
    text += kCrLf;
    text += "3.点击【确定】按钮就行了！就这么简单！";
    text += kCrLf;
    text += "如果您要退出屏幕保护程序，请按键盘上的ESC键！";
    text += "谢谢您的使用！软件功能还很简单，欢迎提出改进的意见和建议！";
    return text;
}

}  // namespace revuro
