#pragma once

#include "Tovi_events.h"

#include <string>
#include <vector>

// The recently opened decks, most recent first, kept in their own INI file. Callers re-read
// the file before each change and save right after, so several running copies share it.
class TFileHistory : public TObject
{
public:
    // Reads the file at once; a missing file gives an empty history.
    explicit TFileHistory(std::string fileName);

    // Puts the path at the top (an older entry for the same file goes) and returns 0;
    // -1 when the limit is 0 or the path holds CR or LF (History.ini keeps one line each).
    virtual int Add(const std::string& path);
    // Removes the first entry for the same file and returns the index it had, or -1.
    virtual int Remove(const std::string& path);
    virtual void Delete(int index);
    virtual void Clear();
    // File names are compared without regard to letter case.
    virtual int IndexOf(const std::string& path) const;
    virtual void Load();
    virtual void Save();

    std::string GetItem(int index) const;
    int GetCount() const;
    // Drops entries from the end until the given number remain.
    void SetCount(int count);
    int GetLimit() const { return FLimit; }
    // Cuts the list when it is longer than the new limit.
    void SetLimit(int limit);
    const std::string& GetFileName() const { return FFileName; }

private:
    void CheckIndex(int index) const;

    std::vector<std::string> FItems;
    int FLimit = 9;
    std::string FFileName;
};
