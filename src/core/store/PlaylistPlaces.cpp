#include "core/store/PlaylistPlaces.h"

#include "core/Paths.h"
#include "core/store/PlaylistFile.h"
#include "platform/Files.h"

namespace revuro {

PlaylistPlaces PlaylistPlaces::Beside(const std::string& programFolder, char separator) {
    const std::string list = PathBeside(programFolder, kSaverPlaylistName, separator);
    return {list, list, PathBeside(programFolder, kTrialPlaylistName, separator), {}};
}

PlaylistPlaces FindPlaylistPlaces(const std::string& programFolder,
                                  const std::string& userDataFolder, const PlaylistProbes& probes,
                                  char separator) {
    if (probes.canCreateFilesIn(programFolder))
        return PlaylistPlaces::Beside(programFolder, separator);

    const std::string userFolder = PathBeside(userDataFolder, kUserListFolderName, separator);
    PlaylistPlaces places = PlaylistPlaces::Beside(userFolder, separator);
    places.folderToMake = userFolder;
    if (!probes.exists(places.toSave))
        places.toRead = PathBeside(programFolder, kSaverPlaylistName, separator);
    return places;
}

PlaylistPlaces FindPlaylistPlaces(const std::string& programFolder,
                                  const std::string& userDataFolder) {
    return FindPlaylistPlaces(programFolder, userDataFolder, {&CanCreateFilesIn, &PathExists});
}

}  // namespace revuro
