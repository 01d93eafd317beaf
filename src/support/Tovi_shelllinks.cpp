#include "Tovi_shelllinks.h"

#include "Tovi_programfiles.h"
#include "Tovi_wholefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace
{
// The fixed parts of the shell link binary format.
constexpr std::uint32_t HeaderSize = 0x4C;
constexpr std::string_view LinkClassId{
    "\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16};
constexpr std::uint32_t HasLinkTargetIdList = 0x01;
constexpr std::uint32_t HasLinkInfo = 0x02;
constexpr std::uint32_t HasIconLocation = 0x40;
constexpr std::uint32_t IsUnicode = 0x80;
// The counted strings that may follow the link info, in the order they are stored.
constexpr std::uint32_t StringDataFlags[] = {0x04, 0x08, 0x10, 0x20, HasIconLocation};
constexpr std::size_t FlagsOffset = 0x14;
constexpr std::size_t IconIndexOffset = 0x38;
constexpr std::uint32_t ShowNormal = 1;

constexpr std::uint32_t VolumeIdAndLocalBasePath = 0x01;
constexpr std::uint32_t CommonNetworkRelativeLinkAndPathSuffix = 0x02;
constexpr std::uint32_t LinkInfoMinimumHeader = 0x1C;
constexpr std::uint32_t LinkInfoUnicodeHeader = 0x24;
constexpr std::uint32_t NetworkLinkMinimumSize = 0x14;
constexpr std::uint32_t FixedDrive = 3;

// Shortcut files are a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t MaxLinkFileSize = 1 << 20;

const char* const LoadMessage = "The program could not load a shell link.";
const char* const GetMessage = "The program could not get a property of a shell link.";
const char* const SetMessage = "The program could not set a property of a shell link.";

[[noreturn]] void Fail(const char* message)
{
    throw EShellLinkError(message);
}

// Every read checks its range, so lengths pointing past the end fail instead of reading on.
void CheckRange(std::string_view data, std::size_t offset, std::size_t length)
{
    if (offset > data.size() || data.size() - offset < length)
        Fail(LoadMessage);
}

std::uint32_t ReadUInt(std::string_view data, std::size_t offset, std::size_t size)
{
    CheckRange(data, offset, size);
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(data[offset + i]);
    return value;
}

std::uint32_t ReadU32(std::string_view data, std::size_t offset)
{
    return ReadUInt(data, offset, 4);
}

std::uint16_t ReadU16(std::string_view data, std::size_t offset)
{
    return static_cast<std::uint16_t>(ReadUInt(data, offset, 2));
}

std::string_view SubView(std::string_view data, std::size_t offset, std::size_t length)
{
    CheckRange(data, offset, length);
    return data.substr(offset, length);
}

std::string FromUtf16(std::string_view bytes)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(ReadU16(bytes, 2 * i));
    return PathFromQt(QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size())));
}

std::string ReadAnsiZ(std::string_view data, std::size_t offset)
{
    CheckRange(data, offset, 1);
    const std::size_t end = data.find('\0', offset);
    if (end == std::string_view::npos)
        Fail(LoadMessage);
    return std::string(data.substr(offset, end - offset));
}

std::string ReadUnicodeZ(std::string_view data, std::size_t offset)
{
    std::size_t end = offset;
    while (ReadU16(data, end) != 0)
        end += 2;
    return FromUtf16(data.substr(offset, end - offset));
}

// A counted string of the string data; moves the offset past it.
std::string ReadCountedString(std::string_view data, std::size_t& offset, bool unicode)
{
    const std::size_t count = ReadU16(data, offset);
    const std::size_t length = unicode ? 2 * count : count;
    const std::string_view text = SubView(data, offset + 2, length);
    offset += 2 + length;
    return unicode ? FromUtf16(text) : std::string(text);
}

std::string ReadNetName(std::string_view info, std::size_t offset)
{
    const std::string_view link = SubView(info, offset, ReadU32(info, offset));
    if (link.size() < NetworkLinkMinimumSize)
        Fail(LoadMessage);
    const std::uint32_t netNameOffset = ReadU32(link, 8);
    if (netNameOffset > NetworkLinkMinimumSize)
        return ReadUnicodeZ(link, ReadU32(link, NetworkLinkMinimumSize));
    return ReadAnsiZ(link, netNameOffset);
}

// The target as the shell gives it with the network path first.
std::string ReadLinkInfoPath(std::string_view info)
{
    const std::uint32_t headerSize = ReadU32(info, 4);
    const std::uint32_t flags = ReadU32(info, 8);
    if (headerSize < LinkInfoMinimumHeader)
        Fail(LoadMessage);
    const bool unicode = headerSize >= LinkInfoUnicodeHeader;
    const auto readString = [&](std::size_t ansiField, std::size_t unicodeField)
    {
        return unicode ? ReadUnicodeZ(info, ReadU32(info, unicodeField))
                       : ReadAnsiZ(info, ReadU32(info, ansiField));
    };
    const std::string suffix = readString(24, 32);
    if (flags & CommonNetworkRelativeLinkAndPathSuffix)
    {
        const std::string net = ReadNetName(info, ReadU32(info, 20));
        return suffix.empty() || net.ends_with('\\') ? net + suffix : net + "\\" + suffix;
    }
    if (flags & VolumeIdAndLocalBasePath)
        return readString(16, 28) + suffix;
    return {};
}

struct TLinkContent
{
    std::string Path;
    std::string IconPath;
    int IconIndex = 0;
};

TLinkContent ParseLink(std::string_view data)
{
    CheckRange(data, 0, HeaderSize);
    if (ReadU32(data, 0) != HeaderSize || SubView(data, 4, 16) != LinkClassId)
        Fail(LoadMessage);
    const std::uint32_t flags = ReadU32(data, FlagsOffset);
    TLinkContent content;
    content.IconIndex = static_cast<std::int32_t>(ReadU32(data, IconIndexOffset));
    std::size_t offset = HeaderSize;
    if (flags & HasLinkTargetIdList)
        offset += 2 + std::size_t{ReadU16(data, offset)};
    if (flags & HasLinkInfo)
    {
        const std::string_view info = SubView(data, offset, ReadU32(data, offset));
        content.Path = ReadLinkInfoPath(info);
        offset += info.size();
    }
    for (const std::uint32_t flag : StringDataFlags)
        if (flags & flag)
        {
            std::string text = ReadCountedString(data, offset, (flags & IsUnicode) != 0);
            if (flag == HasIconLocation)
                content.IconPath = std::move(text);
        }
    return content;
}

void AppendUInt(std::string& out, std::uint32_t value, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

std::u16string ToUtf16(const std::string& text)
{
    return PathToQt(text).toStdU16String();
}

std::string Utf16Bytes(const std::u16string& text)
{
    std::string bytes;
    for (const char16_t unit : text)
        AppendUInt(bytes, unit, 2);
    return bytes;
}

// Link info with a fixed volume, the local base path in both forms and empty suffixes.
std::string LinkInfoBytes(const std::string& path)
{
    std::string volume;
    AppendUInt(volume, 0x11, 4);
    AppendUInt(volume, FixedDrive, 4);
    AppendUInt(volume, 0, 4);    // serial number
    AppendUInt(volume, 0x10, 4); // the label follows
    volume += '\0';
    const std::string ansiBase = path + '\0';
    const std::string unicodeBase = Utf16Bytes(ToUtf16(path)) + std::string(2, '\0');
    const std::uint32_t volumeOffset = LinkInfoUnicodeHeader;
    const std::uint32_t baseOffset = volumeOffset + static_cast<std::uint32_t>(volume.size());
    const std::uint32_t suffixOffset = baseOffset + static_cast<std::uint32_t>(ansiBase.size());
    const std::uint32_t unicodeBaseOffset = suffixOffset + 1;
    const std::uint32_t unicodeSuffixOffset =
        unicodeBaseOffset + static_cast<std::uint32_t>(unicodeBase.size());
    std::string info;
    AppendUInt(info, unicodeSuffixOffset + 2, 4);
    for (const std::uint32_t field :
         {LinkInfoUnicodeHeader, VolumeIdAndLocalBasePath, volumeOffset, baseOffset, 0u,
          suffixOffset, unicodeBaseOffset, unicodeSuffixOffset})
        AppendUInt(info, field, 4);
    return info + volume + ansiBase + '\0' + unicodeBase + std::string(2, '\0');
}

std::string LinkBytes(const TLinkContent& content)
{
    const bool hasIcon = !content.IconPath.empty();
    const bool hasInfo = !content.Path.empty();
    std::string out;
    AppendUInt(out, HeaderSize, 4);
    out += LinkClassId;
    AppendUInt(out, IsUnicode | (hasInfo ? HasLinkInfo : 0) | (hasIcon ? HasIconLocation : 0), 4);
    out.resize(IconIndexOffset, '\0'); // attributes, times and size stay zero
    AppendUInt(out, static_cast<std::uint32_t>(content.IconIndex), 4);
    AppendUInt(out, ShowNormal, 4); // show command
    out.resize(HeaderSize, '\0');
    if (hasInfo)
        out += LinkInfoBytes(content.Path);
    if (hasIcon)
    {
        const std::u16string icon = ToUtf16(content.IconPath);
        AppendUInt(out, static_cast<std::uint32_t>(icon.size()), 2);
        out += Utf16Bytes(icon);
    }
    AppendUInt(out, 0, 4); // terminal block of the extra data
    return out;
}

std::string ReadLinkFile(const std::string& fileName)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    std::string bytes;
    if (error || size > MaxLinkFileSize || !TryReadWholeFile(fileName, bytes))
        Fail(LoadMessage);
    return bytes;
}
} // namespace

void TShellLink::Resolve()
{
    std::error_code error;
    if (FPath.empty() || !std::filesystem::exists(FPath, error))
        Fail("The program could not resolve a shell link.");
}

void TShellLink::LoadFromFile(const std::string& fileName)
{
    const TLinkContent content = ParseLink(ReadLinkFile(fileName));
    FPath = content.Path;
    FIconPath = content.IconPath;
    FIconIndex = content.IconIndex;
}

void TShellLink::SaveToFile(const std::string& fileName)
{
    if (!TryWriteWholeFile(fileName, LinkBytes({FPath, FIconPath, FIconIndex})))
        Fail("The program could not save a shell link.");
}

void TShellLink::GetIconLocation(std::string& iconPath, int& iconIndex) const
{
    iconPath = FIconPath;
    iconIndex = FIconIndex;
}

void TShellLink::SetIconLocation(const std::string& iconPath, int iconIndex)
{
    // The format counts the characters of the icon location in 16 bits.
    if (iconPath.find('\0') != std::string::npos || ToUtf16(iconPath).size() > 0xFFFF)
        Fail(SetMessage);
    FIconPath = iconPath;
    FIconIndex = iconIndex;
}

std::string TShellLink::GetPath() const
{
    if (FPath.empty())
        Fail(GetMessage);
    return FPath;
}

void TShellLink::SetPath(const std::string& path)
{
    if (path.find('\0') != std::string::npos)
        Fail(SetMessage);
    FPath = path;
}

bool IsShellLink(const std::string& fileName)
{
    const QString fullName = QDir::cleanPath(QFileInfo(PathToQt(fileName)).absoluteFilePath());
    const qsizetype dot = fullName.lastIndexOf('.');
    return dot > fullName.lastIndexOf('/') &&
           fullName.mid(dot).compare(".lnk", Qt::CaseInsensitive) == 0;
}

std::string GetShellLinkTarget(const std::string& fileName)
{
    TShellLink link;
    link.LoadFromFile(fileName);
    return link.GetPath();
}

std::string ResolveFileName(const std::string& fileName)
{
    return IsShellLink(fileName) ? GetShellLinkTarget(fileName) : fileName;
}
