#pragma once

#include <string>

// Reads the whole file as bytes. Returns false when it cannot be opened or read.
bool TryReadWholeFile(const std::string& fileName, std::string& bytes);

// Writes the bytes whole and safely: to a temporary file in the same folder that is then
// renamed over the target, so a failure part-way leaves the previous file intact.
// Returns false (and leaves no temporary file behind) when anything fails.
bool TryWriteWholeFile(const std::string& fileName, const std::string& bytes);
