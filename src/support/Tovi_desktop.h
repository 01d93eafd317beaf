#pragma once

#include <string>
#include <vector>

class QColor;
class QDialog;
class QFont;
class QWidget;

// What a file dialog is asked and what it answers.
struct TFileDialogRequest
{
    std::string Title;
    // Pairs of description and patterns: "Text (*.txt)|*.txt|All (*.*)|*.*".
    std::string Filter;
    int FilterIndex = 1; // 1-based, as the filter's pairs are counted
    std::string FileName;
    bool MustExist = false;       // open: the chosen file must exist
    bool OverwritePrompt = false; // save: confirm replacing an existing file
};

// Everything that leaves the process or blocks on the user goes through here, so that tests
// can answer confirmations and dialogs and see what would have been opened or started.
class TDesktop
{
public:
    virtual ~TDesktop() = default;

    // One sentence, application title as caption, OK and Cancel, warning icon; true on OK.
    virtual bool Confirm(const std::string& text);
    // Error box: application title as caption, error icon, OK.
    virtual void ShowError(const std::string& text);
    // Message box with OK only and no icon.
    virtual void ShowMessage(const std::string& text);

    virtual bool ExecuteOpenDialog(TFileDialogRequest& request);
    virtual bool ExecuteSaveDialog(TFileDialogRequest& request);
    virtual bool ExecuteColorDialog(QColor& color);
    virtual bool ExecuteFontDialog(QFont& font);
    // Shows one of the program's own dialogs modally; true when it closed with OK.
    virtual bool ExecuteDialog(QDialog& dialog);

    // The desktop's "open" on a file or folder with its associated program; no waiting.
    virtual bool OpenDocument(const std::string& path);
    // Starts a program with the given arguments, detached.
    virtual bool StartProgram(const std::string& program,
                              const std::vector<std::string>& arguments);

    virtual void SetClipboardText(const std::string& text);

    // The window that message boxes and dialogs belong to.
    static void SetMainWindow(QWidget* window);
    static QWidget* MainWindow();
};

// Places a dialog at the centre of the main window, once it knows its own size.
void CentreOnMainWindow(QWidget& dialog);

// The desktop in use: the real one unless a test installed its own.
TDesktop& Desktop();
// Installs a desktop (not owned); nullptr restores the real one.
void SetDesktop(TDesktop* desktop);
