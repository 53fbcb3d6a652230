#pragma once

// The game's messages on standard output ("check", "lifePoints - 1", the
// end of a game, the post-process mode): what scripts read of a game.
// Games that are not the player's, the demo and the headless games, keep
// quiet: their strikes and their end are not the player's.

// Writes the text as it is and flushes, unless the messages are silenced.
void printGameText(const char* text);
// The same with a line end.
void printGameMessage(const char* text);

void setGameMessagesSilenced(bool silenced);
bool gameMessagesSilenced();
