#include "App_SettingsHandler.h"

#include "Tovi_inifiles.h"
#include "Tovi_programfiles.h"

#include <filesystem>
#include <system_error>

namespace
{
const char* const SectionName = "SettingsHandler";
const char* const CurrentDirectoryKey = "CurrentDirectory";
} // namespace

TSettingsHandler::TSettingsHandler(std::string settingsFileName)
    : FFileName(std::move(settingsFileName))
{
}

std::string TSettingsHandler::DefaultFileName()
{
    static const std::string fileName = UserFileName("Settings.ini");
    return fileName;
}

void TSettingsHandler::LoadSettings(TMemIniFile& settings)
{
    std::error_code error;
    const std::string current = std::filesystem::current_path(error).string();
    const std::string folder = settings.ReadString(SectionName, CurrentDirectoryKey, current);
    // A folder that no longer exists is ignored.
    std::filesystem::current_path(folder, error);
}

void TSettingsHandler::SaveSettings(TMemIniFile& settings)
{
    std::error_code error;
    settings.WriteString(SectionName, CurrentDirectoryKey,
                         std::filesystem::current_path(error).string());
}

void TSettingsHandler::Load()
{
    Guard(CanLoad());
    std::error_code error;
    if (!std::filesystem::exists(FFileName, error))
        return;
    TMemIniFile settings(FFileName);
    for (int i = 0; i < FHandlers.Count(); ++i)
        FHandlers.Items(i)->LoadSettings(settings);
}

bool TSettingsHandler::CanLoad()
{
    return true;
}

void TSettingsHandler::Save()
{
    Guard(CanSave());
    TMemIniFile settings = TMemIniFile::Emptied(FFileName);
    for (int i = 0; i < FHandlers.Count(); ++i)
        FHandlers.Items(i)->SaveSettings(settings);
    settings.UpdateFile();
}

bool TSettingsHandler::CanSave()
{
    return true;
}

void TSettingsHandler::AddHandler(THandler* handler)
{
    FHandlers.Add(handler);
}
