#pragma once

#include <string>

// Writes the thirteen head-up display pictures (1024 by 768, 32-bit with
// alpha) into the folder. Returns false when a font or a file failed.
bool writePictures(const std::string& folder, const std::string& fontFolder);
