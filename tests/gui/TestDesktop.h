#pragma once

#include "Tovi_desktop.h"

#include <QColor>
#include <QDialog>
#include <QFont>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// A desktop that answers for the user and records what would have left the process.
// Install it for the life of a test with TScopedTestDesktop; the test main installs one
// of its own so that no test ever blocks on a real dialog.
class TTestDesktop : public TDesktop
{
public:
    // Answers to Confirm, in order; an empty queue answers OK.
    std::deque<bool> ConfirmAnswers;
    // Called with a file dialog request; returns whether the user chose OK.
    std::function<bool(TFileDialogRequest&)> OnFileDialog;
    // Called with one of the program's own dialogs instead of showing it; returns OK or not.
    std::function<bool(QDialog&)> OnDialog;
    std::function<bool(QColor&)> OnColorDialog;
    std::function<bool(QFont&)> OnFontDialog;
    bool OpenDocumentResult = true;
    bool StartProgramResult = true;

    std::vector<std::string> Confirmations;
    std::vector<std::string> Errors;
    std::vector<std::string> Messages;
    std::vector<TFileDialogRequest> FileDialogs;
    std::vector<std::string> OpenedDocuments;
    std::vector<std::vector<std::string>> StartedPrograms; // program, then arguments
    std::vector<std::string> ClipboardTexts;

    bool Confirm(const std::string& text) override
    {
        Confirmations.push_back(text);
        if (ConfirmAnswers.empty())
            return true;
        const bool answer = ConfirmAnswers.front();
        ConfirmAnswers.pop_front();
        return answer;
    }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    bool ExecuteOpenDialog(TFileDialogRequest& request) override { return FileDialog(request); }
    bool ExecuteSaveDialog(TFileDialogRequest& request) override { return FileDialog(request); }
    bool ExecuteColorDialog(QColor& color) override
    {
        return OnColorDialog && OnColorDialog(color);
    }
    bool ExecuteFontDialog(QFont& font) override { return OnFontDialog && OnFontDialog(font); }
    bool ExecuteDialog(QDialog& dialog) override { return OnDialog && OnDialog(dialog); }
    bool OpenDocument(const std::string& path) override
    {
        OpenedDocuments.push_back(path);
        return OpenDocumentResult;
    }
    bool StartProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override
    {
        std::vector<std::string> call{program};
        call.insert(call.end(), arguments.begin(), arguments.end());
        StartedPrograms.push_back(call);
        return StartProgramResult;
    }
    void SetClipboardText(const std::string& text) override { ClipboardTexts.push_back(text); }

private:
    bool FileDialog(TFileDialogRequest& request)
    {
        FileDialogs.push_back(request);
        return OnFileDialog && OnFileDialog(request);
    }
};

class TScopedTestDesktop
{
public:
    explicit TScopedTestDesktop(TTestDesktop& desktop) : FPrevious(&Desktop())
    {
        SetDesktop(&desktop);
    }
    ~TScopedTestDesktop() { SetDesktop(FPrevious); }
    TScopedTestDesktop(const TScopedTestDesktop&) = delete;
    TScopedTestDesktop& operator=(const TScopedTestDesktop&) = delete;

private:
    TDesktop* FPrevious;
};
