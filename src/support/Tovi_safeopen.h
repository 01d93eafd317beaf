#pragma once

#include <string>

// Whether a file named by a deck may be handed to the desktop's "open". Decks come from
// anywhere, so a name that would start code (an executable, a script, a launcher or a
// shortcut) is refused; a plain document or picture is fine. Symbolic links are judged by
// both their own name and what they point to.
bool IsSafeToOpen(const std::string& fileName);
