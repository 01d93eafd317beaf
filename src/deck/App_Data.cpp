#include "App_Data.h"

#include "Tovi_exceptions.h"
#include "Tovi_typedlists.h"
#include "Tovi_wholefiles.h"

#include <algorithm>

namespace
{
// Letter case is ignored for ASCII letters only, the same in every locale.
unsigned char FoldCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return static_cast<unsigned>(byte - 'A') < 26u ? static_cast<unsigned char>(byte + ('a' - 'A'))
                                                   : byte;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

// Control characters, tab and space; bytes from 128 up are text.
bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

// Hands every line of the text to take: CR LF, a lone LF and a lone CR each end a line,
// the last line needs no terminator, and a NUL ends the text.
template <typename TTake> void ForEachLine(std::string_view text, TTake&& take)
{
    text = text.substr(0, text.find('\0'));
    const char* const end = text.data() + text.size();
    const char* start = text.data();
    while (start != end)
    {
        const char* stop = std::find_if(start, end, IsLineBreak);
        take(std::string_view(start, static_cast<std::size_t>(stop - start)));
        if (stop == end)
            break;
        start = stop + 1;
        if (*stop == '\r' && start != end && *start == '\n')
            ++start;
    }
}

bool IsHeader(std::string_view line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// A trimmed line as stored in its section: key "=" value without blanks around the "=",
// or the bare line unchanged.
std::string KeyLine(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::string(line);
    const std::string_view key = Trim(line.substr(0, equals));
    const std::string_view value = Trim(line.substr(equals + 1));
    std::string stored;
    stored.reserve(key.size() + 1 + value.size());
    stored.append(key).append(1, '=').append(value);
    return stored;
}

constexpr std::size_t MaxCursors = 8;
} // namespace

std::vector<std::string>::const_iterator TNimbaEntry::FindKey(const std::string& key) const
{
    // A key holding "=" can never be the part before a line's first "=".
    if (key.find('=') != std::string::npos)
        return Lines.end();
    return std::find_if(Lines.begin(), Lines.end(),
                        [&key](const std::string& line)
                        {
                            return line.size() > key.size() && line[key.size()] == '=' &&
                                   SameText(std::string_view(line).substr(0, key.size()), key);
                        });
}

std::string TNimbaEntry::ReadString(const std::string& key, const std::string& defaultValue) const
{
    const auto line = FindKey(key);
    return line == Lines.end() ? defaultValue : line->substr(key.size() + 1);
}

void TNimbaEntry::WriteString(const std::string& key, const std::string& value)
{
    const auto line = Lines.begin() + (FindKey(key) - Lines.cbegin());
    if (value.empty())
    {
        if (line != Lines.end())
            Lines.erase(line);
        return;
    }
    std::string stored = key + "=" + value;
    if (line == Lines.end())
        Lines.push_back(std::move(stored));
    else
        line->swap(stored);
}

bool TNimbaEntry::ValueExists(const std::string& key) const
{
    return FindKey(key) != Lines.end();
}

std::string TNimbaEntry::GetText() const
{
    std::string text;
    for (const std::string& line : Lines)
        text.append(line).append("\r\n");
    return text;
}

void TNimbaEntry::SetText(std::string_view text)
{
    std::vector<std::string> lines;
    ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
    Lines.swap(lines);
}

TNimbaEntries::TNimbaEntries() = default;

TNimbaEntries::~TNimbaEntries() = default;

TNimbaEntry* TNimbaEntries::Extract(const std::string& name)
{
    const std::size_t index = FindSection(name);
    if (index == FSections.size())
        return new TNimbaEntry;
    TNimbaEntry* entry = FSections[index].Entry.release();
    ++FExtracted;
    if (FExtracted * 2 > FSections.size())
        Pack();
    return entry;
}

void TNimbaEntries::Add(const std::string& name, TNimbaEntry* entry)
{
    std::unique_ptr<TNimbaEntry> owned(entry);
    // A null entry would read as an extracted gap: it stands for a section without lines.
    if (!owned)
        owned = std::make_unique<TNimbaEntry>();
    FSections.push_back(TSection{name, std::move(owned)});
}

bool TNimbaEntries::SectionExists(const std::string& name) const
{
    return FindSection(name) != FSections.size();
}

void TNimbaEntries::LoadFromFile(const std::string& fileName)
{
    std::string bytes;
    if (!TryReadWholeFile(fileName, bytes))
        throw EError("The program could not load the data.");
    SetText(bytes);
}

void TNimbaEntries::SaveToFile(const std::string& fileName) const
{
    if (!TryWriteWholeFile(fileName, GetText()))
        throw EError("The program could not save the data.");
}

std::string TNimbaEntries::GetText() const
{
    std::size_t size = 0;
    for (const TSection& section : FSections)
        if (section.Entry)
        {
            size += section.Name.size() + 6;
            for (const std::string& line : section.Entry->Lines)
                size += line.size() + 2;
        }
    std::string text;
    text.reserve(size);
    for (const TSection& section : FSections)
        if (section.Entry)
        {
            text.append(1, '[').append(section.Name).append("]\r\n");
            for (const std::string& line : section.Entry->Lines)
                text.append(line).append("\r\n");
            text.append("\r\n");
        }
    return text;
}

void TNimbaEntries::SetText(std::string_view text)
{
    std::vector<TSection> sections;
    std::vector<std::string>* lines = nullptr;
    ForEachLine(text,
                [&sections, &lines](std::string_view line)
                {
                    line = Trim(line);
                    if (line.empty() || line.front() == ';')
                        return;
                    if (IsHeader(line))
                    {
                        sections.push_back(
                            TSection{std::string(Trim(line.substr(1, line.size() - 2))),
                                     std::make_unique<TNimbaEntry>()});
                        lines = &sections.back().Entry->Lines;
                    }
                    else if (lines != nullptr)
                        lines->push_back(KeyLine(line));
                });
    FSections.swap(sections);
    FCursors.clear();
    FExtracted = 0;
}

int TNimbaEntries::Count() const
{
    return static_cast<int>(FSections.size() - FExtracted);
}

const std::string& TNimbaEntries::Names(int index) const
{
    CheckIndex(index);
    return FSections[static_cast<std::size_t>(index)].Name;
}

TNimbaEntry& TNimbaEntries::Entries(int index) const
{
    CheckIndex(index);
    return *FSections[static_cast<std::size_t>(index)].Entry;
}

std::size_t TNimbaEntries::FindSection(const std::string& name) const
{
    auto cursor = std::find_if(FCursors.begin(), FCursors.end(),
                               [&name](const TCursor& c) { return SameText(c.Name, name); });
    if (cursor == FCursors.end())
    {
        if (FCursors.size() == MaxCursors)
            FCursors.clear();
        cursor = FCursors.insert(FCursors.end(), TCursor{name, 0});
    }
    std::size_t index = cursor->Index;
    while (index < FSections.size() &&
           !(FSections[index].Entry && SameText(FSections[index].Name, name)))
        ++index;
    cursor->Index = index;
    return index;
}

void TNimbaEntries::Pack() const
{
    if (FExtracted == 0)
        return;
    std::erase_if(FSections, [](const TSection& section) { return !section.Entry; });
    FExtracted = 0;
    FCursors.clear();
}

void TNimbaEntries::CheckIndex(int index) const
{
    Pack();
    if (index < 0 || index >= Count())
        ListIndexError(index);
}
