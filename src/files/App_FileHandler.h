#pragma once

#include "App_Exams.h"
#include "App_Handlers.h"
#include "Tovi_desktop.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFileHistory;
class TMainView;
class TNimbaDeck;
class TNimbaEntries;

// Owns the open deck and the running exam, and presents the exam in the main window.
class TFileHandler : public THandler
{
public:
    // History.ini where UserFileName puts it, unless a test names another file.
    explicit TFileHandler(TMainView* view, const std::string& historyFileName = std::string());
    ~TFileHandler() override;

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
    TFileHistory& GetFileHistory() const { return *FFileHistory; }
    const TNimbaDeck* GetDeck() const { return FDeck.get(); }
    const TExam* GetExam() const { return FExam.get(); }
    const TFileDialogRequest& GetOpenDialog() const { return FOpenDialog; }

    void SetFileName(const std::string& fileName);
    void OpenPageFile(const std::string& fileName);

private:
    // Puts the deck text of whatever the function writes into a fresh section list on the
    // clipboard.
    void CopyData(const std::function<void(TNimbaEntries&)>& write);
    void BindExamEvents(TExam& exam);
    void ExamStart();
    void ExamEnd();
    void ExamCardChange();
    void ExamQuestion();
    void ExamHint();
    void ExamAnswer();
    void ExamTimeUp();

    std::string FFileName;
    std::unique_ptr<TFileHistory> FFileHistory;
    std::unique_ptr<TNimbaDeck> FDeck;
    std::unique_ptr<TExam> FExam;
    TExamRules FExamRules = TExamRules::Defaults();
    TMainView* FView;
    TFileDialogRequest FOpenDialog;
};
