#pragma once

namespace revuro {

// How the whole process meets X11 failures, whichever library's connection meets them first
// (Qt's, the player's, the program's own):
// - a protocol error (a request about a window that another program has just destroyed) is
//   noted on stderr and the program goes on;
// - a lost display (the user logged out, the server died) ends the program at once with
//   kDisplayLostStatus: no destructors and no close handling, which the player's threads could
//   still be using, and no death by SIGPIPE on the dead connection.
// main() holds one for its whole run, made after the application object, so that it is the
// first to act when a library calls exit() on the lost connection.
class X11ErrorPolicy {
  public:
    static constexpr int kDisplayLostStatus = 1;

    X11ErrorPolicy();
    // main() is returning: exit() takes its ordinary course again.
    ~X11ErrorPolicy();
    X11ErrorPolicy(const X11ErrorPolicy&) = delete;
    X11ErrorPolicy& operator=(const X11ErrorPolicy&) = delete;
};

}  // namespace revuro
