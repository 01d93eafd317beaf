#include "App_Data.h"

#include "Tovi_exceptions.h"
#include "Tovi_hugepages.h"
#include "Tovi_typedlists.h"
#include "Tovi_wholefiles.h"

#include <algorithm>
#include <cstring>
#include <iterator>

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
    // Names are mostly spelled alike, so the plain comparison settles most calls.
    return a.size() == b.size() &&
           (a == b || std::equal(a.begin(), a.end(), b.begin(),
                                 [](char x, char y) { return FoldCase(x) == FoldCase(y); }));
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

// Finds line breaks with memchr, remembering the next CR and the next LF so that every byte
// is searched at most once for each, whatever mix of line breaks the text uses.
class TLineBreakFinder
{
public:
    explicit TLineBreakFinder(std::string_view text)
        : FText(text), FNextCR(Find(0, '\r')), FNextLF(Find(0, '\n'))
    {
    }

    // Position of the first CR or LF from that position on; the text's size when none.
    std::size_t Next(std::size_t from)
    {
        if (FNextCR < from)
            FNextCR = Find(from, '\r');
        if (FNextLF < from)
            FNextLF = Find(from, '\n');
        return std::min(FNextCR, FNextLF);
    }

private:
    std::size_t Find(std::size_t from, char c) const
    {
        if (from >= FText.size())
            return FText.size();
        const void* found = std::memchr(FText.data() + from, c, FText.size() - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - FText.data())
                     : FText.size();
    }

    std::string_view FText;
    std::size_t FNextCR;
    std::size_t FNextLF;
};

// Hands every line of the text to take, with the position where the next line starts:
// CR LF, a lone LF and a lone CR each end a line, and the last line needs no terminator.
template <typename TTake> void ForEachLine(std::string_view text, TTake&& take)
{
    TLineBreakFinder breaks(text);
    std::size_t start = 0;
    while (start < text.size())
    {
        const std::size_t stop = breaks.Next(start);
        std::size_t next = stop;
        if (stop < text.size())
            next += text[stop] == '\r' && text.substr(stop + 1, 1) == "\n" ? 2 : 1;
        take(text.substr(start, stop - start), next);
        start = next;
    }
}

// A NUL ends the text.
std::string_view UpToNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

bool IsHeader(std::string_view line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Hands the lines of a section's text to take as they are stored: trimmed, without empty
// lines and comments, as key, "=" and value without blanks around the "=", or bare.
template <typename TTake> void ForEachStoredLine(std::string_view text, TTake&& take)
{
    ForEachLine(text,
                [&take](std::string_view line, std::size_t)
                {
                    line = Trim(line);
                    if (line.empty() || line.front() == ';')
                        return;
                    const std::size_t equals = line.find('=');
                    if (equals == std::string_view::npos)
                        take(line, std::string_view(), false);
                    else
                        take(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), true);
                });
}

std::string StoredLine(std::string_view key, std::string_view value, bool keyed)
{
    std::string line;
    line.reserve(key.size() + keyed + value.size());
    line.append(key);
    if (keyed)
        line.append(1, '=').append(value);
    return line;
}

std::size_t CountOf(std::string_view text, char c)
{
    std::size_t count = 0;
    for (auto at = text.find(c); at != std::string_view::npos; at = text.find(c, at + 1))
        ++count;
    return count;
}

// An upper bound of the number of headers: each holds a "[" and a "]" and takes at least
// three bytes with its line break. Room reserved but never filled costs no memory pages,
// and the list then never grows while parsing.
std::size_t MostSections(std::string_view text)
{
    return std::min({CountOf(text, '['), CountOf(text, ']'), text.size() / 3 + 1});
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

void TNimbaEntry::TakeValues(std::span<const std::string> keys, std::span<std::string> values)
{
    for (std::size_t i = 0; i < keys.size(); ++i)
    {
        const auto line = Lines.begin() + (FindKey(keys[i]) - Lines.cbegin());
        if (line == Lines.end())
            continue;
        // A short value fits in the string itself; a long one keeps the line's buffer, with
        // no copy. The emptied line matches no key.
        const std::string_view value = std::string_view(*line).substr(keys[i].size() + 1);
        if (value.size() <= std::string().capacity())
            values[i].assign(value);
        else
        {
            line->erase(0, keys[i].size() + 1);
            values[i].swap(*line);
        }
        line->clear();
    }
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
    ForEachLine(UpToNul(text),
                [&lines](std::string_view line, std::size_t) { lines.emplace_back(line); });
    Lines.swap(lines);
}

TNimbaEntries::TNimbaEntries() = default;

TNimbaEntries::~TNimbaEntries() = default;

TNimbaEntry* TNimbaEntries::Extract(const std::string& name)
{
    const std::size_t index = FindSection(name);
    if (index == FSections.size())
        return new TNimbaEntry;
    TSection& section = FSections[index];
    std::unique_ptr<TNimbaEntry> entry =
        section.Entry ? std::move(section.Entry) : MakeEntry(section);
    section.Extracted = true;
    ++FExtracted;
    if (FExtracted * 2 > FSections.size())
        Pack();
    return entry.release();
}

void TNimbaEntries::Add(const std::string& name, TNimbaEntry* entry)
{
    // Owned from here on; a null entry stands for a section without lines.
    std::unique_ptr<TNimbaEntry> owned(entry);
    TSection section;
    section.Name = name;
    section.Entry = std::move(owned);
    FSections.push_back(std::move(section));
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
    bytes.resize(UpToNul(bytes).size());
    Parse(std::move(bytes));
}

void TNimbaEntries::SaveToFile(const std::string& fileName) const
{
    if (!TryWriteWholeFile(fileName, GetText()))
        throw EError("The program could not save the data.");
}

std::string TNimbaEntries::GetText() const
{
    std::string text;
    text.reserve(FText.size() + FText.size() / 8);
    const auto appendLine = [&text](std::string_view key, std::string_view value, bool keyed)
    {
        text.append(key);
        if (keyed)
            text.append(1, '=').append(value);
        text.append("\r\n");
    };
    for (const TSection& section : FSections)
    {
        if (section.Extracted)
            continue;
        text.append(1, '[').append(section.Name).append("]\r\n");
        if (section.Entry)
            for (const std::string& line : section.Entry->Lines)
                appendLine(line, std::string_view(), false);
        else
            ForEachStoredLine(StoredText(section), appendLine);
        text.append("\r\n");
    }
    return text;
}

void TNimbaEntries::SetText(std::string_view text)
{
    const std::string_view bytes = UpToNul(text);
    std::string copy;
    ReserveOnHugePages(copy, bytes.size());
    copy.append(bytes);
    Parse(std::move(copy));
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
    TSection& section = FSections[static_cast<std::size_t>(index)];
    if (!section.Entry)
        section.Entry = MakeEntry(section);
    return *section.Entry;
}

// Finds the headers only: the lines between two headers are read when their entry is made.
void TNimbaEntries::Parse(std::string text)
{
    std::vector<TSection> sections;
    ReserveOnHugePages(sections, MostSections(text));
    ForEachLine(text,
                [&text, &sections](std::string_view line, std::size_t next)
                {
                    const std::string_view trimmed = Trim(line);
                    if (!IsHeader(trimmed))
                        return;
                    if (!sections.empty())
                        sections.back().End = static_cast<std::size_t>(line.data() - text.data());
                    TSection section;
                    section.Name = Trim(trimmed.substr(1, trimmed.size() - 2));
                    section.Begin = next;
                    section.End = text.size();
                    sections.push_back(std::move(section));
                });
    FText.swap(text);
    FSections.swap(sections);
    FCursors.clear();
    FExtracted = 0;
}

std::string_view TNimbaEntries::StoredText(const TSection& section) const
{
    return std::string_view(FText).substr(section.Begin, section.End - section.Begin);
}

std::unique_ptr<TNimbaEntry> TNimbaEntries::MakeEntry(const TSection& section) const
{
    auto entry = std::make_unique<TNimbaEntry>();
    const std::string_view text = StoredText(section);
    // Lines mostly end in LF or CR LF: then the lines take one allocation.
    entry->Lines.reserve(CountOf(text, '\n') + 1);
    ForEachStoredLine(text, [&entry](std::string_view key, std::string_view value, bool keyed)
                      { entry->Lines.push_back(StoredLine(key, value, keyed)); });
    return entry;
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
           (FSections[index].Extracted || !SameText(FSections[index].Name, name)))
        ++index;
    cursor->Index = index;
    return index;
}

void TNimbaEntries::Pack() const
{
    if (FExtracted == 0)
        return;
    std::erase_if(FSections, [](const TSection& section) { return section.Extracted; });
    FExtracted = 0;
    FCursors.clear();
}

void TNimbaEntries::CheckIndex(int index) const
{
    Pack();
    if (index < 0 || index >= Count())
        ListIndexError(index);
}
