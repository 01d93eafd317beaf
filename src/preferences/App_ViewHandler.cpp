#include "App_ViewHandler.h"

#include "App_StatusBar.h"
#include "App_ViewDialog.h"
#include "Tovi_forms.h"
#include "Tovi_inifiles.h"

#include <QMainWindow>
#include <QPlainTextEdit>
#include <QToolBar>

namespace
{
const char* const FormSection = "ViewHandler.Form";
const char* const ControlSection = "ViewHandler.ControlOptions";
const char* const MessageSection = "ViewHandler.MessageOptions";
} // namespace

TViewHandler::TViewHandler(QMainWindow* window, QToolBar* toolbar, TSimpleStatusBar* statusBar,
                           QPlainTextEdit* messageArea)
    : FWindow(window), FToolbar(toolbar), FStatusBar(statusBar), FMessageArea(messageArea)
{
    // The default look too goes through the contrast check, whatever the palette.
    SetMessageLook(*FMessageArea, GetMessageLook(*FMessageArea));
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
