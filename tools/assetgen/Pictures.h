#pragma once

#include <string>
#include <vector>

// Writes the head-up display pictures (the picture's size, 32-bit with
// alpha) into the folder. Returns false when a font or a file failed.
bool writePictures(const std::string& folder, const std::string& fontFolder);

// Writes the game's icon, "talmorak-arena-<size>.png" for each size in
// pixels (square, 32-bit with alpha), into the folder.
bool writeIcons(const std::string& folder, const std::vector<int>& sizes);
