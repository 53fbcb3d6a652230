#pragma once

#include <string>

// The running executable's own path, with symbolic links resolved (an
// installed game is started through one); empty when the system cannot tell.
std::string programPath();

// The folder of the running executable, ending in a path separator; empty
// when the system cannot tell. Files shipped beside the executable are found
// from here wherever the game was started.
std::string programFolder();
