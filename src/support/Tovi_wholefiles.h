#pragma once

#include <string>

// Reads the whole of a regular file (or a link to one) as bytes, never blocking and never
// past its size at open. Returns false for anything else, or when it cannot be read.
bool TryReadWholeFile(const std::string& fileName, std::string& bytes);

// Writes the bytes whole and safely: to a temporary file in the same folder that is then
// renamed over the target, so a failure part-way leaves the previous file intact.
// Returns false (and leaves no temporary file behind) when anything fails. A successful write
// removes the temporaries that an interrupted earlier write of the same file left.
bool TryWriteWholeFile(const std::string& fileName, const std::string& bytes);
