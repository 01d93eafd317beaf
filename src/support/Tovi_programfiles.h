#pragma once

#include <string>

// The path of a file beside the program file: the program's folder, a separator, the name.
std::string ProgramFileName(const std::string& relativeName);

// The path of Settings.ini, History.ini and the like: beside the program while its folder may be
// written (a portable copy), else in the user's configuration folder. The folder is chosen
// once, at the first call, and created when needed.
std::string UserFileName(const std::string& name);

// The rule behind UserFileName for the given folders: the program's folder when it may be
// written, else the configuration folder, which is created when missing.
std::string ChooseUserFolder(const std::string& programFolder, const std::string& configFolder);

// $XDG_CONFIG_HOME/orvanta, or ~/.config/orvanta when the variable is unset or empty.
std::string UserConfigFolder();

// Qt text from bytes in the system code page, and back; file names in the file system's encoding.
class QString;
QString TextToQt(const std::string& text);
std::string TextFromQt(const QString& text);
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);
