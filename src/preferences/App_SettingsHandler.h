#pragma once

#include "App_Handlers.h"
#include "Tovi_typedlists.h"

#include <string>

// Owns Settings.ini: lets every registered handler read and write its own sections.
class TSettingsHandler : public THandler
{
public:
    // Settings.ini where UserFileName puts it, unless a test names another file.
    explicit TSettingsHandler(std::string settingsFileName = DefaultFileName());

    void LoadSettings(TMemIniFile& settings) override;
    void SaveSettings(TMemIniFile& settings) override;

    virtual void Load();
    virtual bool CanLoad();
    virtual void Save();
    virtual bool CanSave();
    // Not owned; a handler added twice is called twice.
    virtual void AddHandler(THandler* handler);

    const std::string& GetFileName() const { return FFileName; }
    static std::string DefaultFileName();

private:
    std::string FFileName;
    TTypedObjectList<THandler> FHandlers{false}; // the main window owns the handlers
};
