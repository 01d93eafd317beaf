#pragma once

#include <string>

// The path of a file beside the program file: the program's folder, a separator, the name.
std::string ProgramFileName(const std::string& relativeName);

// Qt text from bytes in the system code page, and back; file names in the file system's encoding.
class QString;
QString TextToQt(const std::string& text);
std::string TextFromQt(const QString& text);
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);
