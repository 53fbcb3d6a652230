#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Little-endian fields of the binary files the generator writes (BMP, WAV),
// and writing the finished bytes out.

void put16(std::vector<uint8_t>& out, uint32_t value);
void put32(std::vector<uint8_t>& out, uint32_t value);
void putTag(std::vector<uint8_t>& out, const char* fourCharacters);

// Writes the bytes to the path; reports a failure on standard error.
bool writeBytes(const std::vector<uint8_t>& bytes, const std::string& path);
