#pragma once

#include <string>
#include <unordered_map>
#include <vector>

// An INI document held in memory: read whole from its file when created, changed in memory,
// written back whole by UpdateFile. Section and key names are looked up without regard to
// case, in constant time; sections and keys keep the order in which they were first written.
class TMemIniFile
{
public:
    // Reads the file when it exists; raises EError when it exists but cannot be read.
    explicit TMemIniFile(std::string fileName);
    // An empty document that UpdateFile writes over the file; the file is not read.
    static TMemIniFile Emptied(std::string fileName);

    const std::string& GetFileName() const { return FFileName; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

    // Decimal, or hexadecimal after "0x"/"0X"; the default when missing or not an integer.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    void WriteInteger(const std::string& section, const std::string& key, int value);

    // Stored as "1"/"0"; read as an integer, any non-zero value is true.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
    void WriteBool(const std::string& section, const std::string& key, bool value);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    std::vector<std::string> ReadSections() const;
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);
    void Clear();

    // "[name]" line, one "key=value" line per key, an empty line; CR LF line ends.
    std::string GetText() const;
    void SetText(const std::string& text);

    // Writes the whole document to its file, safely; raises EError when it cannot.
    void UpdateFile() const;

    // The integer rules of ReadInteger, for other readers of settings-like text.
    static bool TryParseInteger(const std::string& text, int& value);

private:
    // Names folded to lower case, mapped to their position in the ordered list beside.
    using TIndex = std::unordered_map<std::string, std::size_t>;
    struct TKeyValue
    {
        std::string Key;
        std::string Value;
    };
    struct TSection
    {
        std::string Name;
        std::vector<TKeyValue> Values;
        TIndex Keys;

        const TKeyValue* Find(const std::string& key) const;
        TKeyValue& Provide(const std::string& key);
    };

    const TSection* FindSection(const std::string& name) const;
    TSection& ProvideSection(const std::string& name);
    const std::string* FindValue(const std::string& section, const std::string& key) const;

    std::string FFileName;
    std::vector<TSection> FSections;
    TIndex FSectionIndex;
};
