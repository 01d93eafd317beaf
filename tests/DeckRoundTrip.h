#pragma once

#include "App_Data.h"

#include <string>
#include <string_view>

// Parses the bytes, writes the sections, parses that text again and compares both parses
// section by section and line by line. Returns what differs; empty when they agree.
inline std::string DeckRoundTripFault(std::string_view bytes)
{
    TNimbaEntries first;
    first.SetText(bytes);
    const std::string text = first.GetText();
    TNimbaEntries second;
    second.SetText(text);
    if (second.Count() != first.Count())
        return "section count " + std::to_string(first.Count()) + " became " +
               std::to_string(second.Count());
    for (int i = 0; i < first.Count(); ++i)
    {
        if (second.Names(i) != first.Names(i))
            return "name of section " + std::to_string(i) + " changed";
        if (second.Entries(i).Lines != first.Entries(i).Lines)
            return "lines of section " + std::to_string(i) + " changed";
    }
    if (second.GetText() != text)
        return "written text changed";
    return {};
}
