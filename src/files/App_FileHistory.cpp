#include "App_FileHistory.h"

#include "Tovi_exceptions.h"
#include "Tovi_inifiles.h"
#include "Tovi_programfiles.h"

#include <QString>

namespace
{
const char* const Section = "History";
const char* const CountKey = "Count";

// The program never writes more than its limit; a larger count comes from a damaged or
// hand-edited file and must not make us allocate or loop that many times.
constexpr int MaxTrustedCount = 1000;

std::string ItemKey(int index)
{
    return "Item" + std::to_string(index);
}

bool SameFileName(const std::string& a, const std::string& b)
{
    return TextToQt(a).compare(TextToQt(b), Qt::CaseInsensitive) == 0;
}

// Up to a trusted count, a missing item key is an empty entry, so the count stays as stored.
// Beyond it the count is not believed: reading stops at the first missing key.
std::vector<std::string> ReadItems(const TMemIniFile& ini)
{
    const int count = ini.ReadInteger(Section, CountKey, 0);
    std::vector<std::string> items;
    for (int index = 0; index < count && index < MaxTrustedCount; ++index)
    {
        const std::string key = ItemKey(index);
        if (count > MaxTrustedCount && !ini.ValueExists(Section, key))
            break;
        items.push_back(ini.ReadString(Section, key, ""));
    }
    return items;
}
} // namespace

TFileHistory::TFileHistory(std::string fileName) : FFileName(std::move(fileName))
{
    // A damaged History.ini must not keep the program from starting: the list starts empty,
    // and every later use reads the file again and reports what is wrong with it.
    try
    {
        Load();
    }
    catch (const EError&)
    {
    }
}

int TFileHistory::Add(const std::string& path)
{
    // One line per item: a path holding a line break cannot be stored, only cut.
    if (FLimit == 0 || path.find_first_of("\r\n") != std::string::npos)
        return -1;
    Remove(path);
    // A longer list read from a file edited elsewhere is cut here too, so the list never
    // stays above its limit once it has grown.
    if (GetCount() >= FLimit)
        SetCount(FLimit - 1);
    FItems.insert(FItems.begin(), path);
    return 0;
}

int TFileHistory::Remove(const std::string& path)
{
    const int index = IndexOf(path);
    if (index >= 0)
        Delete(index);
    return index;
}

void TFileHistory::Delete(int index)
{
    CheckIndex(index);
    FItems.erase(FItems.begin() + index);
}

void TFileHistory::Clear()
{
    FItems.clear();
}

int TFileHistory::IndexOf(const std::string& path) const
{
    for (int index = 0; index < GetCount(); ++index)
        if (SameFileName(FItems[static_cast<std::size_t>(index)], path))
            return index;
    return -1;
}

void TFileHistory::Load()
{
    const TMemIniFile ini(FFileName);
    FItems = ReadItems(ini);
}

void TFileHistory::Save()
{
    TMemIniFile ini = TMemIniFile::Emptied(FFileName);
    ini.WriteInteger(Section, CountKey, GetCount());
    for (int index = 0; index < GetCount(); ++index)
        ini.WriteString(Section, ItemKey(index), FItems[static_cast<std::size_t>(index)]);
    ini.UpdateFile();
}

std::string TFileHistory::GetItem(int index) const
{
    CheckIndex(index);
    return FItems[static_cast<std::size_t>(index)];
}

int TFileHistory::GetCount() const
{
    return static_cast<int>(FItems.size());
}

void TFileHistory::SetCount(int count)
{
    if (count < 0 || count > GetCount())
        throw EListError("The program cannot set the number of items.");
    FItems.resize(static_cast<std::size_t>(count));
}

void TFileHistory::SetLimit(int limit)
{
    if (limit < 0)
        throw EListError("The program cannot set the limit.");
    if (limit < GetCount())
        SetCount(limit);
    FLimit = limit;
}

void TFileHistory::CheckIndex(int index) const
{
    if (index < 0 || index >= GetCount())
        throw EListError("The list index is out of bounds (" + std::to_string(index) + ").");
}
