#pragma once

#include "Tovi_exceptions.h"

#include <string>

// Failure of a file helper; the message is the only report.
class EFileError : public EError
{
public:
    using EError::EError;
};

// Copies a file; an existing destination is replaced only when overwrite is set.
void FileCopy(const std::string& source, const std::string& destination, bool overwrite);

// The absolute, cleaned form of a path that exists; fails when it does not exist.
std::string GetLongPath(const std::string& path);
