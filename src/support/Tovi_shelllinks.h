#pragma once

#include "Tovi_events.h"
#include "Tovi_exceptions.h"

#include <string>

// Failure of a shell link operation; the link object stays usable.
class EShellLinkError : public EError
{
public:
    using EError::EError;
};

// A Windows shortcut (".lnk") file's target path and icon location, read and written in the
// shell link binary format by our own code, so no platform shell is needed.
class TShellLink : public TObject
{
public:
    // Fails when the stored target does not exist; there is nothing to search for it here.
    virtual void Resolve();
    virtual void LoadFromFile(const std::string& fileName);
    virtual void SaveToFile(const std::string& fileName);
    virtual void GetIconLocation(std::string& iconPath, int& iconIndex) const;
    virtual void SetIconLocation(const std::string& iconPath, int iconIndex);

    // The stored target as it is, not checked; fails when the link holds no file target.
    std::string GetPath() const;
    void SetPath(const std::string& path);

private:
    std::string FPath;
    std::string FIconPath;
    int FIconIndex = 0;
};

// Whether the name ends in ".lnk" in any letter case; the file is not opened.
bool IsShellLink(const std::string& fileName);
// The target stored in the shortcut file, unchanged even when it no longer exists.
std::string GetShellLinkTarget(const std::string& fileName);
// The shortcut's target for a shortcut file, any other name unchanged.
std::string ResolveFileName(const std::string& fileName);
