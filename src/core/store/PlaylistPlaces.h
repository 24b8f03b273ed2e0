#pragma once

#include <functional>
#include <string>

#include "platform/ProgramFolder.h"

namespace revuro {

// Where this user's playlists are, decided once at start-up for the saver and the dialog alike.
struct PlaylistPlaces {
    std::string toRead;  // the list the saver plays and the dialog opens with
    std::string toSave;  // where the dialog's OK writes the list
    std::string trial;   // the trial list, beside toSave
    // The user's own folder, made on the first write into it; empty beside the program.
    std::string folderToMake;

    // Every list beside the program in `programFolder`.
    static PlaylistPlaces Beside(const std::string& programFolder,
                                 char separator = NativePathSeparator());
};

// The file system as the rule asks it.
struct PlaylistProbes {
    std::function<bool(const std::string& folder)> canCreateFilesIn;
    std::function<bool(const std::string& path)> exists;
};

// The folder in the user's data folder that holds the user's own lists.
inline constexpr const char* kUserListFolderName = "revuro";

// The rule. Where the user may create files in the program's folder (a per-user install, a
// copied folder), every list lies beside the program. Where that folder is read-only for the
// user (a system-wide install), the user's own lists lie in `userDataFolder`/revuro: the list
// there is read when it exists, else the one beside the program (an administrator's default),
// and the dialog writes there.
PlaylistPlaces FindPlaylistPlaces(const std::string& programFolder,
                                  const std::string& userDataFolder, const PlaylistProbes& probes,
                                  char separator = NativePathSeparator());

// The rule asked of this system's file system.
PlaylistPlaces FindPlaylistPlaces(const std::string& programFolder,
                                  const std::string& userDataFolder);

}  // namespace revuro
