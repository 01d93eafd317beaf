#pragma once

#include <cstdint>
#include <string>

class QColor;
class QFont;
class QWidget;

// A colour as Settings.ini keeps it: red in the lowest byte, then green, then blue; or, with
// the top bit set, the index of a system colour in the lowest byte.
using TColor = std::int32_t;

constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = static_cast<TColor>(0x80000008u);

struct TControlOptions
{
    bool ShowToolbar = true;
    bool ShowStatusBar = true;
    bool operator==(const TControlOptions&) const = default;
};

struct TFontStyles
{
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const TFontStyles&) const = default;
};

// The look of the message area. "Default" as the font name is the desktop's default typeface.
struct TMessageOptions
{
    TColor BackgroundColor = clWhite;
    TColor ForegroundColor = clWindowText;
    std::string FontName = "Default";
    TFontStyles FontStyles;
    int FontSize = 12; // points
    bool operator==(const TMessageOptions&) const = default;
};

struct TViewOptions
{
    TControlOptions ControlOptions;
    TMessageOptions MessageOptions;
    bool operator==(const TViewOptions&) const = default;
};

QColor ColorToQt(TColor color);
TColor ColorFromQt(const QColor& color);

// "1" or "0" per style: bold, italic, underline, strike-out.
std::string FontStylesToText(const TFontStyles& styles);
// Any character but "0" sets its style; missing characters leave it clear.
TFontStyles FontStylesFromText(const std::string& text);

// The colour text is shown in on the background: a system colour that would be hard to read
// there (below 4.5:1) gives way to black or white; a chosen colour is kept as chosen.
QColor ReadableForeground(TColor foreground, TColor background);

// The look of a message area (or of a sample of it): the widget's colours and font, with the
// stored colour values and font name kept on the widget so that they read back unchanged.
TMessageOptions GetMessageLook(const QWidget& widget);
void SetMessageLook(QWidget& widget, const TMessageOptions& options);
// Takes the typeface, styles and size of a font chosen for the widget; the colours stay.
void SetMessageFont(QWidget& widget, const QFont& font);
