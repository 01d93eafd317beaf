#pragma once

#include <exception>
#include <string>

// The text an error box shows: "." appended when the last byte sorts after ".".
std::string ErrorBoxText(const std::string& message);

// Shows an escaped exception in the error box; the silent abort shows nothing.
void ShowException(std::exception_ptr exception);
