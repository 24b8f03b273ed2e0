#pragma once

#include <string>
#include <vector>

namespace revuro {

inline constexpr const char* kAddMovieDialogTitle = "添加电影文件";

// One choice of the add dialog's file-type list.
struct FileFilterChoice {
    std::string description;            // e.g. "图片文件(*.jpg等)"
    std::vector<std::string> patterns;  // e.g. "*.bmp", "*.jpg", in the order offered
};

// The filter text: description|patterns|description|patterns..., patterns joined by ';'.
std::string AddMovieFilterText();

// The same six choices, split, in the order offered.
std::vector<FileFilterChoice> AddMovieFilterChoices();

}  // namespace revuro
