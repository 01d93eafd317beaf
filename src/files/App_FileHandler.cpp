#include "App_FileHandler.h"

#include "App_Cards.h"
#include "App_Data.h"
#include "App_ExamRulesDialog.h"
#include "App_FileHistory.h"
#include "App_FileHistoryDialog.h"
#include "App_Product.h"
#include "App_Views.h"
#include "Tovi_files.h"
#include "Tovi_inifiles.h"
#include "Tovi_programfiles.h"
#include "Tovi_safeopen.h"
#include "Tovi_shelllinks.h"

#include <filesystem>
#include <system_error>

namespace
{
const char* const RulesSection = "FileHandler.ExamRules";
const char* const OpenDialogSection = "FileHandler.OpenDialog";

std::string DefaultHistoryFileName()
{
    static const std::string fileName = UserFileName("History.ini");
    return fileName;
}

std::string FormatCount(const char* format, int a, int b = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// The deck's full path: relative names are taken from the current folder once, at opening,
// so later changes of the current folder do not move the deck's attachments.
std::string FullPath(const std::string& fileName)
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(fileName, error);
    return error ? fileName : path.lexically_normal().string();
}
} // namespace

TFileHandler::TFileHandler(TMainView* view, const std::string& historyFileName)
    : FFileHistory(std::make_unique<TFileHistory>(historyFileName.empty() ? DefaultHistoryFileName()
                                                                          : historyFileName)),
      FView(view)
{
    FFileHistory->SetLimit(30);
    FOpenDialog.Title = "Open";
    FOpenDialog.Filter = "Text (*.txt)|*.txt|All (*.*)|*.*";
    FOpenDialog.FilterIndex = 1;
    FOpenDialog.MustExist = true;
}

TFileHandler::~TFileHandler() = default;

void TFileHandler::LoadSettings(TMemIniFile& settings)
{
    TExamRules rules = FExamRules;
    rules.Shuffle = settings.ReadBool(RulesSection, "Shuffle", rules.Shuffle);
    rules.Reverse = settings.ReadBool(RulesSection, "Reverse", rules.Reverse);
    rules.AutoHint = settings.ReadBool(RulesSection, "AutoHint", rules.AutoHint);
    rules.AutoAnswer = settings.ReadBool(RulesSection, "AutoAnswer", rules.AutoAnswer);
    rules.LimitTime = settings.ReadBool(RulesSection, "LimitTime", rules.LimitTime);
    rules.TimeLimit = settings.ReadInteger(RulesSection, "TimeLimit", rules.TimeLimit);
    rules.ChargeRetry = settings.ReadBool(RulesSection, "ChargeRetry", rules.ChargeRetry);
    rules.RetryInterval = settings.ReadInteger(RulesSection, "RetryInterval", rules.RetryInterval);
    FExamRules = rules;
    FOpenDialog.FilterIndex =
        settings.ReadInteger(OpenDialogSection, "FilterIndex", FOpenDialog.FilterIndex);
}

void TFileHandler::SaveSettings(TMemIniFile& settings)
{
    settings.WriteBool(RulesSection, "Shuffle", FExamRules.Shuffle);
    settings.WriteBool(RulesSection, "Reverse", FExamRules.Reverse);
    settings.WriteBool(RulesSection, "AutoHint", FExamRules.AutoHint);
    settings.WriteBool(RulesSection, "AutoAnswer", FExamRules.AutoAnswer);
    settings.WriteBool(RulesSection, "LimitTime", FExamRules.LimitTime);
    settings.WriteInteger(RulesSection, "TimeLimit", FExamRules.TimeLimit);
    settings.WriteBool(RulesSection, "ChargeRetry", FExamRules.ChargeRetry);
    settings.WriteInteger(RulesSection, "RetryInterval", FExamRules.RetryInterval);
    settings.WriteInteger(OpenDialogSection, "FilterIndex", FOpenDialog.FilterIndex);
}

void TFileHandler::Open()
{
    Guard(CanOpen());
    FOpenDialog.FileName.clear();
    if (!Desktop().ExecuteOpenDialog(FOpenDialog))
        Abort();
    OpenFile(FOpenDialog.FileName);
}

void TFileHandler::OpenFile(const std::string& fileName)
{
    Guard(CanOpen());
    // A copy: the caller may pass FFileName itself, which closing empties.
    const std::string path = FullPath(fileName);
    if (IsOpen())
        Close();
    auto deck = std::make_unique<TNimbaDeck>();
    try
    {
        deck->LoadFromFile(path);
    }
    catch (...)
    {
        FView->SetMessages(std::string());
        FView->SetStatus("No deck");
        throw;
    }
    FDeck = std::move(deck);
    SetFileName(path);
    FView->SetMessages(std::string());
    FView->SetStatus("Ready to start an exam");
    ShowInformation();
}

bool TFileHandler::CanOpen()
{
    return true;
}

void TFileHandler::Reopen()
{
    Guard(CanReopen());
    OpenFile(FFileName);
}

bool TFileHandler::CanReopen()
{
    return IsOpen();
}

void TFileHandler::Close()
{
    Guard(CanClose());
    if (IsExamRunning())
    {
        if (!Desktop().Confirm("The program stops the current exam."))
            Abort();
        StopExam();
    }
    // An ended exam still refers to the deck's cards: it goes with them.
    FExam.reset();
    FDeck.reset();
    SetFileName(std::string());
    FView->SetMessages(std::string());
    FView->SetStatus("No deck");
}

bool TFileHandler::CanClose()
{
    return IsOpen();
}

void TFileHandler::DropFiles(const std::vector<std::string>& fileNames)
{
    Guard(CanDropFiles());
    if (fileNames.size() != 1)
        throw EHandlerError("Specify one file.");
    OpenFile(GetLongPath(ResolveFileName(fileNames.front())));
}

bool TFileHandler::CanDropFiles()
{
    return true;
}

void TFileHandler::ShowHistory()
{
    Guard(CanShowHistory());
    FFileHistory->Load();
    TAppFileHistoryDialog* dialog = GetAppFileHistoryDialog();
    TFileHistorySelection selection;
    selection.History = FFileHistory.get();
    selection.ItemIndex = 0;
    dialog->Selection = selection;
    if (!dialog->Execute())
        return;
    OpenFile(FFileHistory->GetItem(dialog->GetSelection().ItemIndex));
}

bool TFileHandler::CanShowHistory()
{
    return true;
}

void TFileHandler::CopyData(const std::function<void(TNimbaEntries&)>& write)
{
    TNimbaEntries entries;
    write(entries);
    Desktop().SetClipboardText(entries.GetText());
}

void TFileHandler::CopyDataDeck()
{
    Guard(CanCopyDataDeck());
    CopyData([this](TNimbaEntries& entries) { FDeck->SaveToEntries(entries); });
}

bool TFileHandler::CanCopyDataDeck()
{
    return IsOpen();
}

void TFileHandler::CopyDataInformation()
{
    Guard(CanCopyDataInformation());
    CopyData([this](TNimbaEntries& entries) { FDeck->About().SaveToEntries(entries); });
}

bool TFileHandler::CanCopyDataInformation()
{
    return IsOpen();
}

void TFileHandler::CopyDataCards()
{
    Guard(CanCopyDataCards());
    CopyData([this](TNimbaEntries& entries) { FDeck->Cards().SaveToEntries(entries); });
}

bool TFileHandler::CanCopyDataCards()
{
    return IsOpen();
}

void TFileHandler::CopyDataCurrentCard()
{
    Guard(CanCopyDataCurrentCard());
    CopyData([this](TNimbaEntries& entries) { FExam->GetCard().Card.SaveToEntries(entries); });
}

bool TFileHandler::CanCopyDataCurrentCard()
{
    return IsExamRunning() && FExam->GetCardIndex() < FExam->GetCardCount();
}

void TFileHandler::CopyMessages()
{
    Guard(CanCopyMessages());
    Desktop().SetClipboardText(FView->GetMessages());
}

bool TFileHandler::CanCopyMessages()
{
    return !FView->GetMessages().empty();
}

void TFileHandler::ShowInformation()
{
    Guard(CanShowInformation());
    const TNimbaAbout& about = FDeck->About();
    FView->ClearMessages();
    FView->AddMessage(about.HasTitle() ? about.Title : "(No title)");
    FView->AddBlankLine();
    FView->AddMessage(about.HasDescription() ? about.Description : "(No description)");
    FView->SetStatus(FormatCount("%d cards", FDeck->Cards().Count()));
}

bool TFileHandler::CanShowInformation()
{
    return IsOpen() && !IsExamRunning();
}

void TFileHandler::StartExam()
{
    Guard(CanStartExam());
    FExam.reset();
    auto exam = std::make_unique<TExam>(FDeck->Cards(), FExamRules);
    BindExamEvents(*exam);
    FExam = std::move(exam);
    try
    {
        FExam->Start();
    }
    catch (...)
    {
        FExam.reset();
        throw;
    }
}

bool TFileHandler::CanStartExam()
{
    return IsOpen() && !IsExamRunning() && FDeck->Cards().Count() > 0;
}

void TFileHandler::StopExam()
{
    Guard(CanStopExam());
    FExam->Stop();
    FExam.reset();
}

bool TFileHandler::CanStopExam()
{
    return IsExamRunning() && FExam->CanStop();
}

void TFileHandler::Proceed()
{
    Guard(CanProceed());
    FExam->Proceed();
}

bool TFileHandler::CanProceed()
{
    return IsExamRunning() && FExam->CanProceed();
}

void TFileHandler::Retry()
{
    Guard(CanRetry());
    FExam->RetryCard();
}

bool TFileHandler::CanRetry()
{
    return IsExamRunning() && FExam->CanRetryCard();
}

void TFileHandler::Hint()
{
    Guard(CanHint());
    FExam->ShowHint();
}

bool TFileHandler::CanHint()
{
    return IsExamRunning() && FExam->CanShowHint();
}

void TFileHandler::GoBack()
{
    Guard(CanGoBack());
    FExam->MoveToPreviousCard();
}

bool TFileHandler::CanGoBack()
{
    return IsExamRunning() && FExam->CanMoveToPreviousCard();
}

void TFileHandler::GoForward()
{
    Guard(CanGoForward());
    FExam->MoveToNextCard();
}

bool TFileHandler::CanGoForward()
{
    return IsExamRunning() && FExam->CanMoveToNextCard();
}

void TFileHandler::SetExamRules(const TExamRules& rules)
{
    Guard(CanSetExamRules());
    FExamRules = rules;
}

bool TFileHandler::CanSetExamRules()
{
    return !IsExamRunning();
}

void TFileHandler::EditExamRules()
{
    Guard(CanEditExamRules());
    TAppExamRulesDialog* dialog = GetAppExamRulesDialog();
    dialog->Rules = FExamRules;
    if (!dialog->Execute())
        Abort();
    SetExamRules(dialog->Rules);
}

bool TFileHandler::CanEditExamRules()
{
    return !IsExamRunning();
}

bool TFileHandler::IsOpen()
{
    return FDeck != nullptr;
}

bool TFileHandler::IsExamRunning()
{
    return FExam && FExam->IsStarted() && !FExam->IsEnded();
}

void TFileHandler::SetFileName(const std::string& fileName)
{
    if (fileName == FFileName)
        return;
    FFileName = fileName;
    if (fileName.empty())
    {
        FView->SetCaption(ProductName);
        return;
    }
    const std::filesystem::path path(fileName);
    std::error_code error;
    std::filesystem::current_path(path.parent_path(), error);
    FView->SetCaption(std::string(ProductName) + " - " + path.filename().string());
    FFileHistory->Load();
    FFileHistory->Add(fileName);
    FFileHistory->Save();
}

void TFileHandler::OpenPageFile(const std::string& fileName)
{
    std::filesystem::path path(fileName);
    if (path.is_relative() && IsOpen())
        path = (std::filesystem::path(FFileName).parent_path() / path).lexically_normal();
    // The deck may come from anywhere: never hand code to the desktop to run.
    if (IsSafeToOpen(path.string()))
        Desktop().OpenDocument(path.string());
}

void TFileHandler::BindExamEvents(TExam& exam)
{
    exam.OnStart = [this](TObject*) { ExamStart(); };
    exam.OnEnd = [this](TObject*) { ExamEnd(); };
    exam.OnCardChange = [this](TObject*) { ExamCardChange(); };
    exam.OnQuestion = [this](TObject*) { ExamQuestion(); };
    exam.OnHint = [this](TObject*) { ExamHint(); };
    exam.OnAnswer = [this](TObject*) { ExamAnswer(); };
    exam.OnTimeUp = [this](TObject*) { ExamTimeUp(); };
}

void TFileHandler::ExamStart()
{
    FView->ClearMessages();
    FView->SetStatus("Started");
}

void TFileHandler::ExamEnd()
{
    FView->ClearMessages();
    FView->AddMessage(FExam->GetCardIndex() == FExam->GetCardCount() ? "Done." : "Stopped.");
    FView->SetStatus("Ready to start an exam");
}

void TFileHandler::ExamCardChange()
{
    FView->ClearMessages();
    const int index = FExam->GetCardIndex();
    const int count = FExam->GetCardCount();
    if (index == count)
    {
        FView->AddMessage("No more cards.");
        FView->SetStatus("Proceed to end the exam");
    }
    else
        FView->SetStatus(FormatCount("Card %d of %d", index + 1, count));
}

void TFileHandler::ExamQuestion()
{
    const TNimbaPage& question = FExam->GetCard().GetQuestion();
    FView->AddMessage("Q. " + question.Text);
    if (question.HasFile())
        OpenPageFile(question.File);
}

void TFileHandler::ExamHint()
{
    FView->AddBlankLine();
    FView->AddMessage("Hint: " + FExam->GetCard().GetHint());
}

void TFileHandler::ExamAnswer()
{
    const TExamCard& card = FExam->GetCard();
    const TNimbaPage& answer = card.GetAnswer();
    FView->AddBlankLine();
    FView->AddMessage("A. " + answer.Text);
    if (answer.HasFile())
        OpenPageFile(answer.File);
    if (card.HasNote())
    {
        FView->AddBlankLine();
        FView->AddMessage("Note: " + card.GetNote());
    }
}

void TFileHandler::ExamTimeUp()
{
    FView->AddBlankLine();
    FView->AddMessage("Time is up!");
}
