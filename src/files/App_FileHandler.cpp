#include "App_FileHandler.h"
#include "Tovi_inifiles.h"

TFileHandler::TFileHandler(TMainView* view) : FView(view)
{
}

void TFileHandler::LoadSettings(TMemIniFile&) {}

void TFileHandler::SaveSettings(TMemIniFile&) {}

void TFileHandler::Open()
{
    Guard(CanOpen());
}

void TFileHandler::OpenFile(const std::string&)
{
    Guard(CanOpen());
}

bool TFileHandler::CanOpen()
{
    return false;
}

void TFileHandler::Reopen()
{
    Guard(CanReopen());
}

bool TFileHandler::CanReopen()
{
    return false;
}

void TFileHandler::Close()
{
    Guard(CanClose());
}

bool TFileHandler::CanClose()
{
    return false;
}

void TFileHandler::DropFiles(const std::vector<std::string>&)
{
    Guard(CanDropFiles());
}

bool TFileHandler::CanDropFiles()
{
    return false;
}

void TFileHandler::ShowHistory()
{
    Guard(CanShowHistory());
}

bool TFileHandler::CanShowHistory()
{
    return false;
}

void TFileHandler::CopyDataDeck()
{
    Guard(CanCopyDataDeck());
}

bool TFileHandler::CanCopyDataDeck()
{
    return false;
}

void TFileHandler::CopyDataInformation()
{
    Guard(CanCopyDataInformation());
}

bool TFileHandler::CanCopyDataInformation()
{
    return false;
}

void TFileHandler::CopyDataCards()
{
    Guard(CanCopyDataCards());
}

bool TFileHandler::CanCopyDataCards()
{
    return false;
}

void TFileHandler::CopyDataCurrentCard()
{
    Guard(CanCopyDataCurrentCard());
}

bool TFileHandler::CanCopyDataCurrentCard()
{
    return false;
}

void TFileHandler::CopyMessages()
{
    Guard(CanCopyMessages());
}

bool TFileHandler::CanCopyMessages()
{
    return false;
}

void TFileHandler::ShowInformation()
{
    Guard(CanShowInformation());
}

bool TFileHandler::CanShowInformation()
{
    return false;
}

void TFileHandler::StartExam()
{
    Guard(CanStartExam());
}

bool TFileHandler::CanStartExam()
{
    return false;
}

void TFileHandler::StopExam()
{
    Guard(CanStopExam());
}

bool TFileHandler::CanStopExam()
{
    return false;
}

void TFileHandler::Proceed()
{
    Guard(CanProceed());
}

bool TFileHandler::CanProceed()
{
    return false;
}

void TFileHandler::Retry()
{
    Guard(CanRetry());
}

bool TFileHandler::CanRetry()
{
    return false;
}

void TFileHandler::Hint()
{
    Guard(CanHint());
}

bool TFileHandler::CanHint()
{
    return false;
}

void TFileHandler::GoBack()
{
    Guard(CanGoBack());
}

bool TFileHandler::CanGoBack()
{
    return false;
}

void TFileHandler::GoForward()
{
    Guard(CanGoForward());
}

bool TFileHandler::CanGoForward()
{
    return false;
}

void TFileHandler::SetExamRules(const TExamRules&)
{
    Guard(CanSetExamRules());
}

bool TFileHandler::CanSetExamRules()
{
    return false;
}

void TFileHandler::EditExamRules()
{
    Guard(CanEditExamRules());
}

bool TFileHandler::CanEditExamRules()
{
    return false;
}

bool TFileHandler::IsOpen()
{
    return false;
}

bool TFileHandler::IsExamRunning()
{
    return false;
}
