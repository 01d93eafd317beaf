#include "Tovi_inifiles.h"

#include "Tovi_exceptions.h"
#include "Tovi_wholefiles.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>

namespace
{
// The key of the hash index: names compare without regard to case, byte by byte.
std::string Fold(const std::string& name)
{
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

// Erases the item that the index names, if any. Positions shift after it, so the index is
// rebuilt from the ordered list.
template <typename T, typename Name>
void EraseIndexed(std::vector<T>& items, std::unordered_map<std::string, std::size_t>& index,
                  const std::string& itemName, Name name)
{
    const auto found = index.find(Fold(itemName));
    if (found == index.end())
        return;
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(found->second));
    index.clear();
    for (std::size_t i = 0; i < items.size(); ++i)
        index.emplace(Fold(name(items[i])), i);
}

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (c == '\r' || c == '\n')
        {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        }
        else
            line += c;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}
} // namespace

TMemIniFile::TMemIniFile(std::string fileName) : FFileName(std::move(fileName))
{
    std::error_code error;
    if (FFileName.empty() || !std::filesystem::exists(FFileName, error))
        return;
    std::string text;
    if (!TryReadWholeFile(FFileName, text))
        throw EError("The program could not read the file \"" + FFileName + "\".");
    SetText(text);
}

TMemIniFile TMemIniFile::Emptied(std::string fileName)
{
    TMemIniFile document{std::string()};
    document.FFileName = std::move(fileName);
    return document;
}

bool TMemIniFile::TryParseInteger(const std::string& text, int& value)
{
    const std::string trimmed = Trim(text);
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (trimmed.size() > 2 && trimmed[0] == '0' && (trimmed[1] == 'x' || trimmed[1] == 'X'))
    {
        // Hexadecimal is a bit pattern: 0xFFFFFFFF reads as -1.
        std::uint32_t bits = 0;
        const auto result = std::from_chars(first + 2, last, bits, 16);
        if (result.ec != std::errc() || result.ptr != last)
            return false;
        value = static_cast<int>(bits);
        return true;
    }
    if (first != last && *first == '+')
        ++first;
    int parsed = 0;
    const auto result = std::from_chars(first, last, parsed, 10);
    if (first == last || result.ec != std::errc() || result.ptr != last)
        return false;
    value = parsed;
    return true;
}

const TMemIniFile::TKeyValue* TMemIniFile::TSection::Find(const std::string& key) const
{
    const auto found = Keys.find(Fold(key));
    return found == Keys.end() ? nullptr : &Values[found->second];
}

TMemIniFile::TKeyValue& TMemIniFile::TSection::Provide(const std::string& key)
{
    const auto [found, added] = Keys.emplace(Fold(key), Values.size());
    if (added)
        Values.push_back({key, {}});
    return Values[found->second];
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const std::string& name) const
{
    const auto found = FSectionIndex.find(Fold(name));
    return found == FSectionIndex.end() ? nullptr : &FSections[found->second];
}

TMemIniFile::TSection& TMemIniFile::ProvideSection(const std::string& name)
{
    const auto [found, added] = FSectionIndex.emplace(Fold(name), FSections.size());
    if (added)
        FSections.push_back({name, {}, {}});
    return FSections[found->second];
}

const std::string* TMemIniFile::FindValue(const std::string& section, const std::string& key) const
{
    const TSection* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    const TKeyValue* pair = found->Find(key);
    return pair ? &pair->Value : nullptr;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const
{
    const std::string* value = FindValue(section, key);
    return value ? *value : defaultValue;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value)
{
    ProvideSection(section).Provide(key).Value = value;
}

int TMemIniFile::ReadInteger(const std::string& section, const std::string& key,
                             int defaultValue) const
{
    const std::string* text = FindValue(section, key);
    int value = 0;
    return text && TryParseInteger(*text, value) ? value : defaultValue;
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& key,
                           bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

bool TMemIniFile::SectionExists(const std::string& section) const
{
    return FindSection(section) != nullptr;
}

bool TMemIniFile::ValueExists(const std::string& section, const std::string& key) const
{
    return FindValue(section, key) != nullptr;
}

std::vector<std::string> TMemIniFile::ReadSections() const
{
    std::vector<std::string> names;
    for (const TSection& section : FSections)
        names.push_back(section.Name);
    return names;
}

void TMemIniFile::EraseSection(const std::string& section)
{
    EraseIndexed(FSections, FSectionIndex, section, [](const TSection& s) { return s.Name; });
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    if (const TSection* found = FindSection(section))
    {
        TSection& target = const_cast<TSection&>(*found);
        EraseIndexed(target.Values, target.Keys, key,
                     [](const TKeyValue& pair) { return pair.Key; });
    }
}

void TMemIniFile::Clear()
{
    FSections.clear();
    FSectionIndex.clear();
}

std::string TMemIniFile::GetText() const
{
    std::string text;
    for (const TSection& section : FSections)
    {
        text += "[" + section.Name + "]\r\n";
        for (const TKeyValue& pair : section.Values)
            text += pair.Key + "=" + pair.Value + "\r\n";
        text += "\r\n";
    }
    return text;
}

void TMemIniFile::SetText(const std::string& text)
{
    Clear();
    TSection* current = nullptr;
    for (const std::string& rawLine : SplitLines(text))
    {
        const std::string line = Trim(rawLine);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']')
        {
            current = &ProvideSection(line.substr(1, line.size() - 2));
            continue;
        }
        if (current == nullptr)
            continue;
        const auto equals = line.find('=');
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = equals == std::string::npos ? "" : Trim(line.substr(equals + 1));
        // The first of repeated keys wins.
        if (current->Find(key) == nullptr)
            current->Provide(key).Value = value;
    }
}

void TMemIniFile::UpdateFile() const
{
    if (!TryWriteWholeFile(FFileName, GetText()))
        throw EError("The program could not write the file \"" + FFileName + "\".");
}
