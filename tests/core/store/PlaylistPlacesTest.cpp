#include "core/store/PlaylistPlaces.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/Paths.h"
#include "support/TempFolder.h"

namespace revuro {
namespace {

// The file system as a test describes it: which folders take new files, which files are there.
class PlaylistPlacesTest : public ::testing::Test {
  protected:
    PlaylistPlaces Find(const std::string& program = "/usr/lib/revuro",
                        const std::string& data = "/home/u/.local/share", char separator = '/') {
        return FindPlaylistPlaces(program, data,
                                  {[this](const std::string& folder) {
                                       asked.push_back(folder);
                                       return writable.contains(folder);
                                   },
                                   [this](const std::string& path) {
                                       asked.push_back(path);
                                       return present.contains(path);
                                   }},
                                  separator);
    }

    std::set<std::string> writable;
    std::set<std::string> present;
    std::vector<std::string> asked;
};

TEST_F(PlaylistPlacesTest, AWritableProgramFolderKeepsEveryListBesideTheProgram) {
    writable = {"/home/u/.local/lib/revuro"};
    present = {"/home/u/.local/share/revuro/varariv.m3u"};  // not looked for
    const PlaylistPlaces places = Find("/home/u/.local/lib/revuro");
    EXPECT_EQ(places.toRead, "/home/u/.local/lib/revuro/varariv.m3u");
    EXPECT_EQ(places.toSave, "/home/u/.local/lib/revuro/varariv.m3u");
    EXPECT_EQ(places.trial, "/home/u/.local/lib/revuro/temp.m3u");
    EXPECT_EQ(places.folderToMake, "");
    EXPECT_EQ(asked, std::vector<std::string>{"/home/u/.local/lib/revuro"});
}

TEST_F(PlaylistPlacesTest, AReadOnlyProgramFolderWithTheUsersListReadsAndSavesThatList) {
    present = {"/home/u/.local/share/revuro/varariv.m3u", "/usr/lib/revuro/varariv.m3u"};
    const PlaylistPlaces places = Find();
    EXPECT_EQ(places.toRead, "/home/u/.local/share/revuro/varariv.m3u");
    EXPECT_EQ(places.toSave, "/home/u/.local/share/revuro/varariv.m3u");
    EXPECT_EQ(places.trial, "/home/u/.local/share/revuro/temp.m3u");
    EXPECT_EQ(places.folderToMake, "/home/u/.local/share/revuro");
}

TEST_F(PlaylistPlacesTest, WithoutTheUsersListTheAdministratorsListIsReadAndTheUsersSaved) {
    // With no list beside the program either, the saver finds none there and shows its picture.
    for (const std::set<std::string>& lists :
         {std::set<std::string>{"/usr/lib/revuro/varariv.m3u"}, std::set<std::string>{}}) {
        present = lists;
        const PlaylistPlaces places = Find();
        EXPECT_EQ(places.toRead, "/usr/lib/revuro/varariv.m3u");
        EXPECT_EQ(places.toSave, "/home/u/.local/share/revuro/varariv.m3u");
        EXPECT_EQ(places.trial, "/home/u/.local/share/revuro/temp.m3u");
        EXPECT_EQ(places.folderToMake, "/home/u/.local/share/revuro");
    }
}

TEST_F(PlaylistPlacesTest, WindowsFoldersGetBackslashesAndRootsNoSecondOne) {
    present = {"C:\\Users\\u\\AppData\\Roaming\\revuro\\varariv.m3u"};
    PlaylistPlaces places =
        Find("C:\\Program Files\\Revuro", "C:\\Users\\u\\AppData\\Roaming", '\\');
    EXPECT_EQ(places.toRead, "C:\\Users\\u\\AppData\\Roaming\\revuro\\varariv.m3u");
    writable = {"D:\\"};
    places = Find("D:\\", "C:\\Users\\u\\AppData\\Roaming", '\\');
    EXPECT_EQ(places.toSave, "D:\\varariv.m3u");
}

TEST(PlaylistPlacesOnThisSystemTest, AFolderOfTheUsersOwnIsWritableAMissingOneIsNot) {
    testing::TempFolder program;
    testing::TempFolder data;
    ASSERT_TRUE(program.ok() && data.ok());
    EXPECT_EQ(FindPlaylistPlaces(program.path(), data.path()).toSave,
              PathBeside(program.path(), "varariv.m3u"));
    const std::string gone = PathBeside(program.path(), "gone");
    const PlaylistPlaces places = FindPlaylistPlaces(gone, data.path());
    EXPECT_EQ(places.toSave, PathBeside(PathBeside(data.path(), "revuro"), "varariv.m3u"));
    EXPECT_EQ(places.toRead, PathBeside(gone, "varariv.m3u"));
    EXPECT_TRUE(program.Names().empty());  // the probe leaves nothing behind
}

}  // namespace
}  // namespace revuro
