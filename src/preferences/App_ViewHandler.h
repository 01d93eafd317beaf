#pragma once

#include "App_Handlers.h"

#include <cstdint>
#include <string>

class QColor;
class QFont;
class QLabel;
class QMainWindow;
class QToolBar;
class TSimpleStatusBar;

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

// The look of a message area (or of a sample of it): the label's colours and font, with the
// stored colour values and font name kept on the label so that they read back unchanged.
TMessageOptions GetMessageLook(const QLabel& label);
void SetMessageLook(QLabel& label, const TMessageOptions& options);
// Takes the typeface, styles and size of a font chosen for the label; the colours stay.
void SetMessageFont(QLabel& label, const QFont& font);

// Owns how the main window looks: bars, message-area look, placement.
class TViewHandler : public THandler
{
public:
    TViewHandler(QMainWindow* window, QToolBar* toolbar, TSimpleStatusBar* statusBar,
                 QLabel* messageArea);

    TControlOptions GetControlOptions() const;
    TMessageOptions GetMessageOptions() const;
    TViewOptions GetViewOptions() const;

    void LoadSettings(TMemIniFile& settings) override;
    void SaveSettings(TMemIniFile& settings) override;

    virtual void SetControlOptions(const TControlOptions& options);
    virtual bool CanSetControlOptions();
    virtual void SetMessageOptions(const TMessageOptions& options);
    virtual bool CanSetMessageOptions();
    virtual void SetViewOptions(const TViewOptions& options);
    virtual bool CanSetViewOptions();
    virtual void Customize();
    virtual bool CanCustomize();

private:
    void LoadForm(const TMemIniFile& settings);
    void LoadControlOptions(const TMemIniFile& settings);
    void LoadMessageOptions(const TMemIniFile& settings);

    QMainWindow* FWindow;
    QToolBar* FToolbar;
    TSimpleStatusBar* FStatusBar;
    QLabel* FMessageArea;
};
