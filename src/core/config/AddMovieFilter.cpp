#include "core/config/AddMovieFilter.h"

namespace revuro {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

std::string AddMovieFilterText() {
    std::string text = "所有支持的电影|*.wmv;*.wvx;*.asf;*.asx;*.wpl;*.wm;*.wmx;*.wmd;*.wmz;";
    text += "*.dvr-ms;*.vob;*.m3u;*.avi;*.mpeg;*.mpg;*.mpe;*.m1v;*.mp2;*.mpv2;*.mp2v*;*.mpa;";
    text += "*.rm;*.rmvb;*.ifo;*.dat;*.mp4;*.swf;*.bmp;*.jpg;*.ico;*.gif;*.png;*.jpeg|";
    text +=
        "电影文件(*.avi、*.rmvb等)|*.wmv;*.wvx;*.asf;*.asx;*.wpl;*.wm;*.wmx;*.wmd;*.wmz;*.dvr-ms;"
        "*.vob;*.m3u;*.avi;*.mpeg;*.mpg;*.mpe;*.m1v;*.mp2;*.mpv2;*.mp2v*;*.mpa;*.rm;*.rmvb;*.ifo;"
        "*.dat;*.mp4|";
    text += "图片文件(*.jpg等)|*.bmp;*.jpg;*.ico;*.gif;*.png;*.jpeg|";
    text += "Flash动画(*.swf)|*.swf|";
    text += "音频文件(*.mp3等，不推荐)|*.mp3;*.wma;*.mid;*.midi;*.wav;*.ra;*.ram|";
    text += "所有文件(*.*)|*.*";
    return text;
}

std::vector<FileFilterChoice> AddMovieFilterChoices() {
    const std::vector<std::string> parts = Split(AddMovieFilterText(), '|');
    std::vector<FileFilterChoice> choices;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        choices.push_back({parts[i], Split(parts[i + 1], ';')});
    }
    return choices;
}

}  // namespace revuro
