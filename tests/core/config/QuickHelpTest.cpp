#include "core/config/QuickHelp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace revuro {
namespace {

std::vector<std::string> SplitAtCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

TEST(QuickHelpTest, SixLinesTheLastHoldingBothClosingSentences) {
    const std::vector<std::string> lines = SplitAtCrLf(QuickHelpText());
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Revuro设置方法：");
    EXPECT_EQ(lines[1],
              "1.请先点击【添加电影】按钮添加您想作为屏幕保护的多媒体文件，最好是电影文件！");
    EXPECT_EQ(lines[2], "您也可以直接将选定的多媒体文件拖到电影文件列表框中！");
    EXPECT_EQ(lines[3], "2.然后您可以双击列表中已经添加的电影文件播放试试看。");
    EXPECT_EQ(lines[4], "3.点击【确定】按钮就行了！就这么简单！");
    EXPECT_EQ(lines[5],
              "如果您要退出屏幕保护程序，请按键盘上的ESC键！"
              "谢谢您的使用！软件功能还很简单，欢迎提出改进的意见和建议！");
}

TEST(QuickHelpTest, NoOtherLineBreaks) {
    const std::string text = QuickHelpText();
    EXPECT_EQ(text.find('\n', text.rfind("\r\n") + 2), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 5);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
}

}  // namespace
}  // namespace revuro
