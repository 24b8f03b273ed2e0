#include "core/startup/XScreenSaverSetup.h"

#include "core/Paths.h"
#include "core/startup/XScreenSaverPrograms.h"
#include "platform/Files.h"

namespace revuro {

namespace {

SetupReport Refused(const std::string& text) { return {1, "revuro: " + text + "\n"}; }

}  // namespace

SetupReport SetUpXScreenSaver(const std::string& homeFolder, const std::string& programPath) {
    const std::string path = PathBeside(homeFolder, kXScreenSaverFileName);
    const Result<std::string> command = XScreenSaverPrograms::CommandFor(programPath);
    if (!command) return Refused(command.error().Describe() + "; nothing changed.");

    const Result<std::string> before = ReadWholeFile(path);
    if (!before && before.error().kind == ErrorKind::NotFound) {
        return Refused(
            "xscreensaver has no settings file for you yet (" + path +
            ").\nStart xscreensaver's settings (xscreensaver-settings) and change any "
            "setting: it then writes that file.\nThen run \"revuro --xscreensaver-setup\" "
            "again.");
    }
    if (!before) return Refused("cannot read " + before.error().Describe());

    const Result<XScreenSaverPrograms::Addition> after =
        XScreenSaverPrograms::AddRevuro(before.value(), command.value());
    if (!after) {
        return Refused(path + ": " + after.error().reason + "; nothing changed.\nAdd this line " +
                       "to its programs: setting yourself:\n" +
                       XScreenSaverPrograms::EntryLine(command.value()));
    }
    const XScreenSaverPrograms::Addition& addition = after.value();
    const std::string where = path + ", line " + std::to_string(addition.line);
    if (!addition.added) {
        return {0, "Revuro is in xscreensaver's list already (" + where + "); nothing changed.\n"};
    }

    const std::string copy = path + kXScreenSaverCopySuffix;
    if (Outcome kept = WriteFileAtomically(copy, before.value()); !kept) {
        return Refused("cannot keep a copy of " + path + ": " + kept.error().Describe() +
                       "; nothing changed.");
    }
    if (Outcome written = WriteFileAtomically(path, addition.text); !written)
        return Refused("cannot write " + written.error().Describe() + "; nothing changed.");
    return {0, "Added Revuro to xscreensaver's list of display modes (" + where + "):\n" +
                   XScreenSaverPrograms::EntryLine(command.value()) +
                   "\nThe file as it was is kept as " + copy +
                   ".\nChoose \"Revuro\" in xscreensaver's settings (xscreensaver-settings).\n"};
}

}  // namespace revuro
