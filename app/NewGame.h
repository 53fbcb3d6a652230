#pragma once

// Starts the program anew for a new game, with the same arguments, working
// folder and console, so a new game begins exactly as the first one did and
// whoever started the program still sees every message and the exit code of
// the last game. The window and the media library must be closed already.
// Returns only when the new game could not be started, having said why on
// standard error.
void startNewGame(char** argv);
