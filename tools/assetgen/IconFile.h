#pragma once

#include <string>
#include <vector>

// Packs square PNG pictures, as written by writeIcons, into one Windows icon
// file (.ico) with a PNG entry per picture, smallest first. Returns false
// when a picture cannot be read or is no PNG, or the file cannot be written.
bool writeIconFile(const std::string& path, const std::vector<std::string>& pngPaths);
