#include "App_ViewHandler.h"

#include "App_StatusBar.h"
#include "App_ViewDialog.h"
#include "Tovi_forms.h"
#include "Tovi_inifiles.h"
#include "Tovi_programfiles.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPalette>
#include <QToolBar>
#include <QVariant>

namespace
{
const char* const FormSection = "ViewHandler.Form";
const char* const ControlSection = "ViewHandler.ControlOptions";
const char* const MessageSection = "ViewHandler.MessageOptions";
const char* const DefaultFontName = "Default";

// The stored values live on the label itself, so that a system colour stays a system colour.
const char* const BackgroundProperty = "messageBackgroundColor";
const char* const ForegroundProperty = "messageForegroundColor";
const char* const FontNameProperty = "messageFontName";

// Sizes outside this range would make the area unusable or overflow the font engine.
constexpr int MinFontSize = 1;
constexpr int MaxFontSize = 999;

struct TSystemColor
{
    int Index;
    QPalette::ColorRole Role;
};

// The system colours this program stores, by their index, and the palette roles they stand for.
const TSystemColor SystemColors[] = {
    {5, QPalette::Base},        {7, QPalette::WindowText},       {8, QPalette::WindowText},
    {13, QPalette::Highlight},  {14, QPalette::HighlightedText}, {15, QPalette::Button},
    {18, QPalette::ButtonText}, {23, QPalette::ToolTipText},     {24, QPalette::ToolTipBase},
};

QPalette::ColorRole SystemColorRole(int index)
{
    for (const TSystemColor& color : SystemColors)
    {
        if (color.Index == index)
            return color.Role;
    }
    return QPalette::WindowText;
}

TColor StoredColor(const QLabel& label, const char* property, TColor defaultValue)
{
    const QVariant value = label.property(property);
    return value.isValid() ? static_cast<TColor>(value.toInt()) : defaultValue;
}

QFont MessageFont(const QLabel& label, const TMessageOptions& options)
{
    QFont font = QApplication::font();
    if (options.FontName != DefaultFontName)
        font.setFamily(TextToQt(options.FontName));
    font.setBold(options.FontStyles.Bold);
    font.setItalic(options.FontStyles.Italic);
    font.setUnderline(options.FontStyles.Underline);
    font.setStrikeOut(options.FontStyles.StrikeOut);
    const bool sizeUsable = options.FontSize >= MinFontSize && options.FontSize <= MaxFontSize;
    font.setPointSize(sizeUsable ? options.FontSize : label.font().pointSize());
    return font;
}
} // namespace

QColor ColorToQt(TColor color)
{
    if (color < 0)
        return QApplication::palette().color(SystemColorRole(color & 0xFF));
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor ColorFromQt(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

std::string FontStylesToText(const TFontStyles& styles)
{
    std::string text;
    for (bool style : {styles.Bold, styles.Italic, styles.Underline, styles.StrikeOut})
        text += style ? '1' : '0';
    return text;
}

TFontStyles FontStylesFromText(const std::string& text)
{
    auto isSet = [&text](std::size_t position)
    { return position < text.size() && text[position] != '0'; };
    return {isSet(0), isSet(1), isSet(2), isSet(3)};
}

TMessageOptions GetMessageLook(const QLabel& label)
{
    const TMessageOptions design;
    const QFont font = label.font();
    const QVariant fontName = label.property(FontNameProperty);
    return {StoredColor(label, BackgroundProperty, design.BackgroundColor),
            StoredColor(label, ForegroundProperty, design.ForegroundColor),
            fontName.isValid() ? TextFromQt(fontName.toString()) : design.FontName,
            {font.bold(), font.italic(), font.underline(), font.strikeOut()},
            font.pointSize()};
}

void SetMessageLook(QLabel& label, const TMessageOptions& options)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, ColorToQt(options.BackgroundColor));
    palette.setColor(QPalette::WindowText, ColorToQt(options.ForegroundColor));
    label.setProperty(BackgroundProperty, options.BackgroundColor);
    label.setProperty(ForegroundProperty, options.ForegroundColor);
    label.setPalette(palette);
    label.setProperty(FontNameProperty, TextToQt(options.FontName));
    label.setFont(MessageFont(label, options));
}

void SetMessageFont(QLabel& label, const QFont& font)
{
    TMessageOptions options = GetMessageLook(label);
    // The picker may answer with the real name of the typeface the name stood for ("Default",
    // an alias): the name stays unless another typeface was chosen.
    const QFont current = label.font();
    if (font.family() != current.family() && font.family() != QFontInfo(current).family())
        options.FontName = TextFromQt(font.family());
    options.FontStyles = {font.bold(), font.italic(), font.underline(), font.strikeOut()};
    if (font.pointSize() > 0)
        options.FontSize = font.pointSize();
    SetMessageLook(label, options);
}

TViewHandler::TViewHandler(QMainWindow* window, QToolBar* toolbar, TSimpleStatusBar* statusBar,
                           QLabel* messageArea)
    : FWindow(window), FToolbar(toolbar), FStatusBar(statusBar), FMessageArea(messageArea)
{
}

TControlOptions TViewHandler::GetControlOptions() const
{
    return {!FToolbar->isHidden(), !FStatusBar->isHidden()};
}

TMessageOptions TViewHandler::GetMessageOptions() const
{
    return GetMessageLook(*FMessageArea);
}

TViewOptions TViewHandler::GetViewOptions() const
{
    return {GetControlOptions(), GetMessageOptions()};
}

void TViewHandler::LoadSettings(TMemIniFile& settings)
{
    LoadForm(settings);
    LoadControlOptions(settings);
    LoadMessageOptions(settings);
}

void TViewHandler::LoadForm(const TMemIniFile& settings)
{
    TRect bounds = GetFormNormalBounds(*FWindow);
    bounds.Left = settings.ReadInteger(FormSection, "Left", bounds.Left);
    bounds.Top = settings.ReadInteger(FormSection, "Top", bounds.Top);
    bounds.Right = settings.ReadInteger(FormSection, "Right", bounds.Right);
    bounds.Bottom = settings.ReadInteger(FormSection, "Bottom", bounds.Bottom);
    SetFormNormalBounds(*FWindow, bounds);
}

void TViewHandler::LoadControlOptions(const TMemIniFile& settings)
{
    TControlOptions options = GetControlOptions();
    options.ShowToolbar = settings.ReadBool(ControlSection, "ShowToolbar", options.ShowToolbar);
    options.ShowStatusBar =
        settings.ReadBool(ControlSection, "ShowStatusBar", options.ShowStatusBar);
    SetControlOptions(options);
}

void TViewHandler::LoadMessageOptions(const TMemIniFile& settings)
{
    TMessageOptions options = GetMessageOptions();
    options.BackgroundColor =
        settings.ReadInteger(MessageSection, "BackgroundColor", options.BackgroundColor);
    options.ForegroundColor =
        settings.ReadInteger(MessageSection, "ForegroundColor", options.ForegroundColor);
    options.FontName = settings.ReadString(MessageSection, "FontName", options.FontName);
    options.FontStyles = FontStylesFromText(
        settings.ReadString(MessageSection, "FontStyles", FontStylesToText(options.FontStyles)));
    options.FontSize = settings.ReadInteger(MessageSection, "FontSize", options.FontSize);
    SetMessageOptions(options);
}

void TViewHandler::SaveSettings(TMemIniFile& settings)
{
    const TRect bounds = GetFormNormalBounds(*FWindow);
    settings.WriteInteger(FormSection, "Left", bounds.Left);
    settings.WriteInteger(FormSection, "Top", bounds.Top);
    settings.WriteInteger(FormSection, "Right", bounds.Right);
    settings.WriteInteger(FormSection, "Bottom", bounds.Bottom);
    const TControlOptions controls = GetControlOptions();
    settings.WriteBool(ControlSection, "ShowToolbar", controls.ShowToolbar);
    settings.WriteBool(ControlSection, "ShowStatusBar", controls.ShowStatusBar);
    const TMessageOptions messages = GetMessageOptions();
    settings.WriteInteger(MessageSection, "BackgroundColor", messages.BackgroundColor);
    settings.WriteInteger(MessageSection, "ForegroundColor", messages.ForegroundColor);
    settings.WriteString(MessageSection, "FontName", messages.FontName);
    settings.WriteString(MessageSection, "FontStyles", FontStylesToText(messages.FontStyles));
    settings.WriteInteger(MessageSection, "FontSize", messages.FontSize);
}

void TViewHandler::SetControlOptions(const TControlOptions& options)
{
    Guard(CanSetControlOptions());
    if (options == GetControlOptions())
        return;
    FToolbar->setVisible(options.ShowToolbar);
    FStatusBar->setVisible(options.ShowStatusBar);
}

bool TViewHandler::CanSetControlOptions()
{
    return true;
}

void TViewHandler::SetMessageOptions(const TMessageOptions& options)
{
    Guard(CanSetMessageOptions());
    if (options == GetMessageOptions())
        return;
    SetMessageLook(*FMessageArea, options);
}

bool TViewHandler::CanSetMessageOptions()
{
    return true;
}

void TViewHandler::SetViewOptions(const TViewOptions& options)
{
    Guard(CanSetViewOptions());
    if (options == GetViewOptions())
        return;
    SetControlOptions(options.ControlOptions);
    SetMessageOptions(options.MessageOptions);
}

bool TViewHandler::CanSetViewOptions()
{
    return CanSetControlOptions() && CanSetMessageOptions();
}

void TViewHandler::Customize()
{
    Guard(CanCustomize());
    TAppViewDialog& dialog = GetAppViewDialog();
    dialog.Options = GetViewOptions();
    if (!dialog.Execute())
        Abort();
    SetViewOptions(dialog.Options);
}

bool TViewHandler::CanCustomize()
{
    return CanSetViewOptions();
}
