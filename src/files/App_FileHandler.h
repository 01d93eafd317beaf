#pragma once

#include "App_Exams.h"
#include "App_Handlers.h"

#include <string>
#include <vector>

class TMainView;

// Owns the open deck and the running exam, and presents the exam in the main window.
class TFileHandler : public THandler
{
public:
    explicit TFileHandler(TMainView* view);

    void LoadSettings(TMemIniFile& settings) override;
    void SaveSettings(TMemIniFile& settings) override;

    virtual void Open();
    virtual void OpenFile(const std::string& fileName);
    virtual bool CanOpen();
    virtual void Reopen();
    virtual bool CanReopen();
    virtual void Close();
    virtual bool CanClose();
    virtual void DropFiles(const std::vector<std::string>& fileNames);
    virtual bool CanDropFiles();
    virtual void ShowHistory();
    virtual bool CanShowHistory();
    virtual void CopyDataDeck();
    virtual bool CanCopyDataDeck();
    virtual void CopyDataInformation();
    virtual bool CanCopyDataInformation();
    virtual void CopyDataCards();
    virtual bool CanCopyDataCards();
    virtual void CopyDataCurrentCard();
    virtual bool CanCopyDataCurrentCard();
    virtual void CopyMessages();
    virtual bool CanCopyMessages();
    virtual void ShowInformation();
    virtual bool CanShowInformation();
    virtual void StartExam();
    virtual bool CanStartExam();
    virtual void StopExam();
    virtual bool CanStopExam();
    virtual void Proceed();
    virtual bool CanProceed();
    virtual void Retry();
    virtual bool CanRetry();
    virtual void Hint();
    virtual bool CanHint();
    virtual void GoBack();
    virtual bool CanGoBack();
    virtual void GoForward();
    virtual bool CanGoForward();
    virtual void SetExamRules(const TExamRules& rules);
    virtual bool CanSetExamRules();
    virtual void EditExamRules();
    virtual bool CanEditExamRules();
    virtual bool IsOpen();
    virtual bool IsExamRunning();

    const std::string& GetFileName() const { return FFileName; }
    const TExamRules& GetExamRules() const { return FExamRules; }

private:
    std::string FFileName;
    TExamRules FExamRules = TExamRules::Defaults();
    TMainView* FView;
};
