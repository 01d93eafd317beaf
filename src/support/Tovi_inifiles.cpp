#include "Tovi_inifiles.h"

#include "Tovi_exceptions.h"
#include "Tovi_wholefiles.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>

namespace
{
bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y)
                      {
                          return std::tolower(static_cast<unsigned char>(x)) ==
                                 std::tolower(static_cast<unsigned char>(y));
                      });
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

const TMemIniFile::TSection* TMemIniFile::FindSection(const std::string& name) const
{
    const auto found = std::find_if(FSections.begin(), FSections.end(),
                                    [&](const TSection& s) { return SameText(s.Name, name); });
    return found == FSections.end() ? nullptr : &*found;
}

TMemIniFile::TSection& TMemIniFile::ProvideSection(const std::string& name)
{
    if (const TSection* section = FindSection(name))
        return const_cast<TSection&>(*section);
    FSections.push_back({name, {}});
    return FSections.back();
}

const std::string* TMemIniFile::FindValue(const std::string& section, const std::string& key) const
{
    const TSection* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    for (const TKeyValue& pair : found->Values)
        if (SameText(pair.Key, key))
            return &pair.Value;
    return nullptr;
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
    TSection& target = ProvideSection(section);
    for (TKeyValue& pair : target.Values)
        if (SameText(pair.Key, key))
        {
            pair.Value = value;
            return;
        }
    target.Values.push_back({key, value});
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
    std::erase_if(FSections, [&](const TSection& s) { return SameText(s.Name, section); });
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    if (const TSection* found = FindSection(section))
        std::erase_if(const_cast<TSection*>(found)->Values,
                      [&](const TKeyValue& pair) { return SameText(pair.Key, key); });
}

void TMemIniFile::Clear()
{
    FSections.clear();
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
        if (FindValue(current->Name, key) == nullptr)
            current->Values.push_back({key, value});
    }
}

void TMemIniFile::UpdateFile() const
{
    if (!TryWriteWholeFile(FFileName, GetText()))
        throw EError("The program could not write the file \"" + FFileName + "\".");
}
