#include "App_ViewOptions.h"

#include "Tovi_programfiles.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace
{
const char* const DefaultFontName = "Default";

// The stored values live on the widget itself, so that a system colour stays a system colour.
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

// Relative luminance and contrast ratio as the web's accessibility guideline defines them.
double Luminance(const QColor& color)
{
    auto channel = [](double value)
    { return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

double ContrastRatio(const QColor& first, const QColor& second)
{
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

constexpr double MinContrastRatio = 4.5;

TColor StoredColor(const QWidget& widget, const char* property, TColor defaultValue)
{
    const QVariant value = widget.property(property);
    return value.isValid() ? static_cast<TColor>(value.toInt()) : defaultValue;
}

QFont MessageFont(const QWidget& widget, const TMessageOptions& options)
{
    QFont font = QApplication::font();
    if (options.FontName != DefaultFontName)
        font.setFamily(TextToQt(options.FontName));
    font.setBold(options.FontStyles.Bold);
    font.setItalic(options.FontStyles.Italic);
    font.setUnderline(options.FontStyles.Underline);
    font.setStrikeOut(options.FontStyles.StrikeOut);
    const bool sizeUsable = options.FontSize >= MinFontSize && options.FontSize <= MaxFontSize;
    font.setPointSize(sizeUsable ? options.FontSize : widget.font().pointSize());
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

QColor ReadableForeground(TColor foreground, TColor background)
{
    const QColor text = ColorToQt(foreground);
    const QColor back = ColorToQt(background);
    if (foreground >= 0 || ContrastRatio(text, back) >= MinContrastRatio)
        return text;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ContrastRatio(black, back) >= ContrastRatio(white, back) ? black : white;
}

TMessageOptions GetMessageLook(const QWidget& widget)
{
    const TMessageOptions design;
    const QFont font = widget.font();
    const QVariant fontName = widget.property(FontNameProperty);
    return {StoredColor(widget, BackgroundProperty, design.BackgroundColor),
            StoredColor(widget, ForegroundProperty, design.ForegroundColor),
            fontName.isValid() ? TextFromQt(fontName.toString()) : design.FontName,
            {font.bold(), font.italic(), font.underline(), font.strikeOut()},
            font.pointSize()};
}

void SetMessageLook(QWidget& widget, const TMessageOptions& options)
{
    // A label paints with the window roles, a text view with the base roles: both are set.
    QPalette palette = widget.palette();
    const QColor background = ColorToQt(options.BackgroundColor);
    const QColor foreground = ReadableForeground(options.ForegroundColor, options.BackgroundColor);
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::WindowText, foreground);
    palette.setColor(QPalette::Text, foreground);
    widget.setProperty(BackgroundProperty, options.BackgroundColor);
    widget.setProperty(ForegroundProperty, options.ForegroundColor);
    widget.setPalette(palette);
    widget.setProperty(FontNameProperty, TextToQt(options.FontName));
    widget.setFont(MessageFont(widget, options));
}

void SetMessageFont(QWidget& widget, const QFont& font)
{
    TMessageOptions options = GetMessageLook(widget);
    // The picker may answer with the real name of the typeface the name stood for ("Default",
    // an alias): the name stays unless another typeface was chosen.
    const QFont current = widget.font();
    if (font.family() != current.family() && font.family() != QFontInfo(current).family())
        options.FontName = TextFromQt(font.family());
    options.FontStyles = {font.bold(), font.italic(), font.underline(), font.strikeOut()};
    if (font.pointSize() > 0)
        options.FontSize = font.pointSize();
    SetMessageLook(widget, options);
}
