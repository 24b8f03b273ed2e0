// Writes the folder the program finds itself in to "program-folder.txt" in that folder, for a
// test that starts a copy of it from a folder of its choosing.
#include "core/Paths.h"
#include "platform/Files.h"
#include "platform/ProgramFolder.h"

int main() {
    const std::string folder = revuro::ProgramFolder();
    return revuro::WriteFileAtomically(revuro::PathBeside(folder, "program-folder.txt"), folder)
                   .ok()
               ? 0
               : 1;
}
