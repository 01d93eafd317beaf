#pragma once

#include "Tovi_events.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One section of a deck text: its lines in order, each a key line (key "=" value, without
// blanks around the "=") or a bare line. Keys are looked up without regard to ASCII case;
// a lookup sees only the first line with that key.
class TNimbaEntry : public TObject
{
public:
    TNimbaEntry() = default;
    TNimbaEntry(const TNimbaEntry&) = delete;
    TNimbaEntry& operator=(const TNimbaEntry&) = delete;

    // The value of the first line with that key; the default when there is none.
    virtual std::string ReadString(const std::string& key, const std::string& defaultValue) const;
    // A non-empty value replaces the first line with that key or is appended;
    // the empty value removes the first line with that key.
    virtual void WriteString(const std::string& key, const std::string& value);
    virtual bool ValueExists(const std::string& key) const;
    // Moves the value of each key, as ReadString with an empty default gives it, into the
    // value at the same position without copying; the lines holding them are left empty.
    // For an entry that is read once and thrown away; the keys must differ.
    void TakeValues(std::span<const std::string> keys, std::span<std::string> values);

    // The lines, each followed by CR LF.
    std::string GetText() const;
    // Replaces the lines by the text split at line breaks, untrimmed; a NUL ends the text.
    void SetText(std::string_view text);

    std::vector<std::string> Lines;

private:
    std::vector<std::string>::const_iterator FindKey(const std::string& key) const;
};

// A deck text parsed into its named sections, in the order of the text. Names may repeat;
// every header starts a section of its own. The list owns its entries.
class TNimbaEntries : public TObject
{
public:
    TNimbaEntries();
    ~TNimbaEntries() override;
    TNimbaEntries(const TNimbaEntries&) = delete;
    TNimbaEntries& operator=(const TNimbaEntries&) = delete;

    // Removes the first section of that name and hands its entry to the caller, who owns it
    // from then on. Without such a section: a new empty entry, and the list is unchanged.
    [[nodiscard]] virtual TNimbaEntry* Extract(const std::string& name);
    // Appends the section; the list owns the entry from the call on, also when it fails.
    // A null entry stands for a section without lines.
    virtual void Add(const std::string& name, TNimbaEntry* entry);
    virtual bool SectionExists(const std::string& name) const;
    // Raises EError "The program could not load the data." and leaves the list unchanged
    // when the file cannot be read.
    virtual void LoadFromFile(const std::string& fileName);
    // Writes GetText safely; raises EError "The program could not save the data.".
    virtual void SaveToFile(const std::string& fileName) const;

    // Each section as its "[name]" line, its lines and an empty line, all ending in CR LF.
    std::string GetText() const;
    // Parses the text and replaces the whole list; any bytes parse.
    void SetText(std::string_view text);

    // The sections in order; an index outside 0 to Count - 1 raises EListError.
    int Count() const;
    const std::string& Names(int index) const;
    TNimbaEntry& Entries(int index) const;

private:
    struct TSection
    {
        std::string Name;
        // The entry once it was added, asked for or extracted; until then the section is
        // the lines between Begin and End in the parsed text.
        std::unique_ptr<TNimbaEntry> Entry;
        std::size_t Begin = 0;
        std::size_t End = 0;
        bool Extracted = false;
    };
    struct TCursor
    {
        std::string Name;
        std::size_t Index; // no section of that name is left before this position
    };

    void Parse(std::string text);
    std::string_view StoredText(const TSection& section) const;
    std::unique_ptr<TNimbaEntry> MakeEntry(const TSection& section) const;
    std::size_t FindSection(const std::string& name) const;
    void Pack() const;
    void CheckIndex(int index) const;

    // Parsing only finds the sections; an entry is made from its lines when it is needed,
    // and Extract leaves gaps that are packed away later, so that loading a deck section by
    // section stays linear in its size and never holds the whole deck twice.
    std::string FText;
    mutable std::vector<TSection> FSections;
    mutable std::vector<TCursor> FCursors;
    mutable std::size_t FExtracted = 0;
};
