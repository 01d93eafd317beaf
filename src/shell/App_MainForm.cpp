#include "App_MainForm.h"

#include "App_ErrorBox.h"
#include "App_FileHandler.h"
#include "App_HelpHandler.h"
#include "App_SettingsHandler.h"
#include "App_StatusBar.h"
#include "App_ToolsHandler.h"
#include "App_ViewHandler.h"
#include "App_Views.h"
#include "Tovi_desktop.h"
#include "Tovi_filedrop.h"
#include "ui_App_MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSessionManager>
#include <QShortcutEvent>
#include <QToolBar>
#include <QToolButton>

#include <utility>

const int TAppMainForm::WM_PROCESSPARAMS = QEvent::User + 0x8000;
const int TAppMainForm::WM_UPDATEACTIONS = QEvent::User + 0x8001;

namespace
{
struct TActionInfo
{
    TAppMainForm::TActionId Id;
    const char* Name;
    const char* Category;
    const char* Caption; // empty for the hidden actions
    const char* Hint;
    const char* Shortcut;
    int ImageIndex; // into the toolbar's image list; -1 for none
    bool Checkable;
};

using enum TAppMainForm::TActionId;

// One row per action, in the order of TAppMainForm::TActionId.
constexpr TActionInfo ActionTable[TAppMainForm::ActionCount] = {
    {FileOpenAction, "FileOpenAction", "File", QT_TRANSLATE_NOOP("TAppMainForm", "&Open..."),
     QT_TRANSLATE_NOOP("TAppMainForm", "Open"), "Ctrl+O", 0, false},
    {EditCopyDataDeckAction, "EditCopyDataDeckAction", "Edit",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Deck"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Copy data of deck"), "", -1, false},
    {EditCopyDataInformationAction, "EditCopyDataInformationAction", "Edit",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Information"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Copy data of information"), "", -1, false},
    {EditCopyDataCardsAction, "EditCopyDataCardsAction", "Edit",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Cards"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Copy data of cards"), "", -1, false},
    {EditCopyDataCurrentCardAction, "EditCopyDataCurrentCardAction", "Edit",
     QT_TRANSLATE_NOOP("TAppMainForm", "Cu&rrent Card"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Copy data of current card"), "Ctrl+D", 1, false},
    {EditCopyMessagesAction, "EditCopyMessagesAction", "Edit",
     QT_TRANSLATE_NOOP("TAppMainForm", "Copy &Messages"), QT_TRANSLATE_NOOP("TAppMainForm", "Copy"),
     "Ctrl+C", -1, false},
    {EditInformationAction, "EditInformationAction", "Edit",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Information"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Information"), "Ctrl+I", -1, false},
    {ExamStartAction, "ExamStartAction", "Exam", QT_TRANSLATE_NOOP("TAppMainForm", "&Start"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Start"), "F2", 2, false},
    {ExamStopAction, "ExamStopAction", "Exam", QT_TRANSLATE_NOOP("TAppMainForm", "S&top"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Stop"), "Esc", 3, false},
    {ExamRulesDetailsAction, "ExamRulesDetailsAction", "Exam",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Details..."), QT_TRANSLATE_NOOP("TAppMainForm", "Details"),
     "Ctrl+R", -1, false},
    {ExamProceedAction, "ExamProceedAction", "Exam", QT_TRANSLATE_NOOP("TAppMainForm", "&Proceed"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Proceed"), "", -1, false},
    {ExamHintAction, "ExamHintAction", "Exam", QT_TRANSLATE_NOOP("TAppMainForm", "Hi&nt"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Hint"), "", -1, false},
    {ExamRetryAction, "ExamRetryAction", "Exam", QT_TRANSLATE_NOOP("TAppMainForm", "&Retry"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Retry"), "", -1, false},
    {ExamMoveGoBackAction, "ExamMoveGoBackAction", "Exam",
     QT_TRANSLATE_NOOP("TAppMainForm", "Go &Back"), QT_TRANSLATE_NOOP("TAppMainForm", "Go back"),
     "Alt+Left", 4, false},
    {ExamMoveGoForwardAction, "ExamMoveGoForwardAction", "Exam",
     QT_TRANSLATE_NOOP("TAppMainForm", "Go &Forward"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Go forward"), "Alt+Right", 5, false},
    {FileReopenAction, "FileReopenAction", "File", QT_TRANSLATE_NOOP("TAppMainForm", "&Reopen"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Reopen"), "", -1, false},
    {FileCloseAction, "FileCloseAction", "File", "", "", "", -1, false},
    {FileDropFilesAction, "FileDropFilesAction", "File", "", "", "", -1, false},
    {FileHistoryAction, "FileHistoryAction", "File",
     QT_TRANSLATE_NOOP("TAppMainForm", "&History..."), QT_TRANSLATE_NOOP("TAppMainForm", "History"),
     "Ctrl+H", -1, false},
    {FileExitAction, "FileExitAction", "File", QT_TRANSLATE_NOOP("TAppMainForm", "E&xit"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Exit"), "", -1, false},
    {ExamRulesShuffleAction, "ExamRulesShuffleAction", "Exam",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Shuffle"), QT_TRANSLATE_NOOP("TAppMainForm", "Shuffle"),
     "", 6, true},
    {ExamRulesReverseAction, "ExamRulesReverseAction", "Exam",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Reverse"), QT_TRANSLATE_NOOP("TAppMainForm", "Reverse"),
     "", 7, true},
    {ExamRulesAutoHintAction, "ExamRulesAutoHintAction", "Exam",
     QT_TRANSLATE_NOOP("TAppMainForm", "Auto &Hint"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Auto hint"), "", 8, true},
    {ExamRulesAutoAnswerAction, "ExamRulesAutoAnswerAction", "Exam",
     QT_TRANSLATE_NOOP("TAppMainForm", "Auto &Answer"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Auto answer"), "", 9, true},
    {ExamRulesLimitTimeAction, "ExamRulesLimitTimeAction", "Exam",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Limit Time"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Limit time"), "", 10, true},
    {ViewToolbarAction, "ViewToolbarAction", "View", QT_TRANSLATE_NOOP("TAppMainForm", "&Toolbar"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Toolbar"), "", -1, true},
    {ViewStatusBarAction, "ViewStatusBarAction", "View",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Status Bar"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Status bar"), "", -1, true},
    {HelpContentsAction, "HelpContentsAction", "Help",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Contents..."),
     QT_TRANSLATE_NOOP("TAppMainForm", "Contents"), "F1", -1, false},
    {HelpAboutAction, "HelpAboutAction", "Help", QT_TRANSLATE_NOOP("TAppMainForm", "&About"),
     QT_TRANSLATE_NOOP("TAppMainForm", "About"), "", -1, false},
    {ViewCustomizeAction, "ViewCustomizeAction", "View",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Customize..."),
     QT_TRANSLATE_NOOP("TAppMainForm", "Customize"), "", -1, false},
    {ToolsOpenWithEditorAction, "ToolsOpenWithEditorAction", "Tools",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Open with Editor"),
     QT_TRANSLATE_NOOP("TAppMainForm", "Open with editor"), "", -1, false},
    {ToolsCreateTemplateAction, "ToolsCreateTemplateAction", "Tools",
     QT_TRANSLATE_NOOP("TAppMainForm", "&Create Template..."),
     QT_TRANSLATE_NOOP("TAppMainForm", "Create template"), "", -1, false},
    {ToolsOptionsAction, "ToolsOptionsAction", "Tools",
     QT_TRANSLATE_NOOP("TAppMainForm", "Op&tions..."), QT_TRANSLATE_NOOP("TAppMainForm", "Options"),
     "", -1, false},
    {SettingsLoadAction, "SettingsLoadAction", "Settings", "", "", "", -1, false},
    {SettingsSaveAction, "SettingsSaveAction", "Settings", "", "", "", -1, false},
};

constexpr bool RowsInIdOrder()
{
    for (int id = 0; id < TAppMainForm::ActionCount; ++id)
    {
        if (ActionTable[id].Id != id)
            return false;
    }
    return true;
}
static_assert(RowsInIdOrder(), "each row of the action table stands at the place of its id");

// The toolbar's image list, by index.
const char* const ImageList[] = {
    ":/images/open.svg",       ":/images/copycard.svg",  ":/images/start.svg",
    ":/images/stop.svg",       ":/images/back.svg",      ":/images/forward.svg",
    ":/images/shuffle.svg",    ":/images/reverse.svg",   ":/images/autohint.svg",
    ":/images/autoanswer.svg", ":/images/limittime.svg",
};

constexpr int Separator = -1;

// Restores the cursor that was showing before the busy cursor, also when the command raised.
class TBusyCursor
{
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// Takes drags of local files only, and always as a copy: the window just reads the files, and a
// source that took the drop for a move would delete them.
bool AcceptDropAsCopy(QDropEvent& event)
{
    if (!TFileDrop::HoldsLocalFiles(event.mimeData()) ||
        !event.possibleActions().testFlag(Qt::CopyAction))
    {
        event.ignore();
        return false;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return true;
}

} // namespace

TAppMainForm::TAppMainForm(const std::string& settingsFileName, const std::string& historyFileName,
                           QWidget* parent)
    : QMainWindow(parent), FUi(std::make_unique<Ui::AppMainForm>())
{
    FUi->setupUi(this);
    FStatusBar = new TSimpleStatusBar(this);
    setStatusBar(FStatusBar);
    TDesktop::SetMainWindow(this);
    CreateActions();
    CreateMenus();
    CreateToolbar();
    CreateExamButtons();
    connect(FUi->MessageArea, &QWidget::customContextMenuRequested, this,
            &TAppMainForm::ShowMessageMenu);
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager)
            {
                // A confirmation or an error box may need the user.
                if (!manager.allowsInteraction() || !CloseSteps())
                    manager.cancel();
            });
    CreateHandlers(settingsFileName, historyFileName);
    BindActions();
}

TAppMainForm::~TAppMainForm()
{
    DestroyHandlers();
    FDroppedFiles.clear();
}

void TAppMainForm::CreateActions()
{
    for (int id = 0; id < ActionCount; ++id)
    {
        const TActionInfo& info = ActionTable[id];
        auto* action = new QAction(this);
        action->setObjectName(info.Name);
        action->setProperty("category", info.Category);
        action->setText(tr(info.Caption));
        action->setToolTip(tr(info.Hint));
        action->setShortcut(QKeySequence(info.Shortcut));
        action->setCheckable(info.Checkable);
        if (info.ImageIndex >= 0)
            action->setIcon(QIcon(ImageList[info.ImageIndex]));
        if (*info.Caption != '\0')
            addAction(action); // shortcuts work with the menu bar closed
        connect(action, &QAction::triggered, this,
                [this, id] { ExecuteCommand(static_cast<TActionId>(id)); });
        FActions[id] = action;
    }
    FActions[ExamProceedAction]->setIcon(QIcon(":/images/proceed.svg"));
    FActions[ExamRetryAction]->setIcon(QIcon(":/images/retry.svg"));
    FActions[ExamHintAction]->setIcon(QIcon(":/images/hint.svg"));
}

void TAppMainForm::CreateExamButtons()
{
    const std::pair<QToolButton*, TActionId> buttons[] = {{FUi->ProceedButton, ExamProceedAction},
                                                          {FUi->RetryButton, ExamRetryAction},
                                                          {FUi->HintButton, ExamHintAction}};
    for (auto [button, id] : buttons)
    {
        // Of all buttons only these three show their caption with its Alt letter; the toolbar
        // shows images, so its buttons claim no letter of the menus.
        FActions[id]->setIconText(tr(ActionTable[id].Caption));
        button->setDefaultAction(FActions[id]);
        button->installEventFilter(this);
    }
}

bool TAppMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // A button's own Alt letter animates the press for a tenth of a second before it acts:
    // the exam is driven by these keys, so they act at once.
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous())
    {
        static_cast<QAbstractButton*>(watched)->click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

QMenu* TAppMainForm::AddMenu(QMenu* parent, const char* caption, std::initializer_list<int> items)
{
    QMenu* menu = parent ? parent->addMenu(tr(caption)) : menuBar()->addMenu(tr(caption));
    for (int item : items)
    {
        if (item == Separator)
            menu->addSeparator();
        else
            menu->addAction(FActions[item]);
    }
    return menu;
}

void TAppMainForm::CreateMenus()
{
    AddMenu(nullptr, "&File",
            {FileOpenAction, FileReopenAction, Separator, FileHistoryAction, Separator,
             FileExitAction});
    for (QMenu* parent : {menuBar()->addMenu(tr("&Edit")), FMessageMenu = new QMenu(this)})
    {
        AddMenu(parent, "&Copy Data",
                {EditCopyDataDeckAction, EditCopyDataInformationAction, EditCopyDataCardsAction,
                 Separator, EditCopyDataCurrentCardAction});
        parent->addAction(FActions[EditCopyMessagesAction]);
        parent->addSeparator();
        parent->addAction(FActions[EditInformationAction]);
    }
    AddMenu(nullptr, "&View",
            {ViewToolbarAction, ViewStatusBarAction, Separator, ViewCustomizeAction});
    QMenu* exam = AddMenu(nullptr, "E&xam", {ExamStartAction, ExamStopAction, Separator});
    AddMenu(exam, "&Move", {ExamMoveGoBackAction, ExamMoveGoForwardAction});
    exam->addSeparator();
    AddMenu(exam, "&Rules",
            {ExamRulesShuffleAction, ExamRulesReverseAction, ExamRulesAutoHintAction,
             ExamRulesAutoAnswerAction, ExamRulesLimitTimeAction, Separator,
             ExamRulesDetailsAction});
    AddMenu(nullptr, "&Tools",
            {ToolsOpenWithEditorAction, ToolsCreateTemplateAction, Separator, ToolsOptionsAction});
    AddMenu(nullptr, "&Help", {HelpContentsAction, Separator, HelpAboutAction});
}

void TAppMainForm::CreateToolbar()
{
    const int items[] = {FileOpenAction,
                         Separator,
                         EditCopyDataCurrentCardAction,
                         Separator,
                         ExamStartAction,
                         ExamStopAction,
                         Separator,
                         ExamMoveGoBackAction,
                         ExamMoveGoForwardAction,
                         Separator,
                         ExamRulesShuffleAction,
                         ExamRulesReverseAction,
                         ExamRulesAutoHintAction,
                         ExamRulesAutoAnswerAction,
                         ExamRulesLimitTimeAction};
    for (int item : items)
    {
        if (item == Separator)
            FUi->ToolBar->addSeparator();
        else
            FUi->ToolBar->addAction(FActions[item]);
    }
}

void TAppMainForm::ShowMessageMenu(const QPoint& position)
{
    // A scroll area reports the position in its viewport.
    FMessageMenu->popup(FUi->MessageArea->viewport()->mapToGlobal(position));
}

void TAppMainForm::BindRuleToggle(TActionId id, bool TExamRules::*flag)
{
    FBindings[id].Execute = [this, flag]
    {
        TExamRules rules = FFileHandler->GetExamRules();
        rules.*flag = !(rules.*flag);
        FFileHandler->SetExamRules(rules);
    };
    FBindings[id].Update = [this, flag](QAction& action)
    {
        action.setEnabled(FFileHandler->CanSetExamRules());
        action.setChecked(FFileHandler->GetExamRules().*flag);
    };
}

void TAppMainForm::Bind(TActionId id, std::function<void()> execute, std::function<bool()> query)
{
    FBindings[id].Execute = std::move(execute);
    FBindings[id].Update = [query = std::move(query)](QAction& action)
    { action.setEnabled(query()); };
}

template <typename THandlerClass>
void TAppMainForm::BindOperation(TActionId id, THandlerClass* handler,
                                 void (THandlerClass::*operation)(), bool (THandlerClass::*query)())
{
    Bind(
        id, [handler, operation] { (handler->*operation)(); },
        [handler, query] { return (handler->*query)(); });
}

void TAppMainForm::BindActions()
{
    TFileHandler* file = FFileHandler.get();
    BindOperation(FileOpenAction, file, &TFileHandler::Open, &TFileHandler::CanOpen);
    BindOperation(EditCopyDataDeckAction, file, &TFileHandler::CopyDataDeck,
                  &TFileHandler::CanCopyDataDeck);
    BindOperation(EditCopyDataInformationAction, file, &TFileHandler::CopyDataInformation,
                  &TFileHandler::CanCopyDataInformation);
    BindOperation(EditCopyDataCardsAction, file, &TFileHandler::CopyDataCards,
                  &TFileHandler::CanCopyDataCards);
    BindOperation(EditCopyDataCurrentCardAction, file, &TFileHandler::CopyDataCurrentCard,
                  &TFileHandler::CanCopyDataCurrentCard);
    BindOperation(EditCopyMessagesAction, file, &TFileHandler::CopyMessages,
                  &TFileHandler::CanCopyMessages);
    BindOperation(EditInformationAction, file, &TFileHandler::ShowInformation,
                  &TFileHandler::CanShowInformation);
    BindOperation(ExamStartAction, file, &TFileHandler::StartExam, &TFileHandler::CanStartExam);
    BindOperation(ExamStopAction, file, &TFileHandler::StopExam, &TFileHandler::CanStopExam);
    BindOperation(ExamRulesDetailsAction, file, &TFileHandler::EditExamRules,
                  &TFileHandler::CanEditExamRules);
    BindOperation(ExamProceedAction, file, &TFileHandler::Proceed, &TFileHandler::CanProceed);
    BindOperation(ExamHintAction, file, &TFileHandler::Hint, &TFileHandler::CanHint);
    BindOperation(ExamRetryAction, file, &TFileHandler::Retry, &TFileHandler::CanRetry);
    BindOperation(ExamMoveGoBackAction, file, &TFileHandler::GoBack, &TFileHandler::CanGoBack);
    BindOperation(ExamMoveGoForwardAction, file, &TFileHandler::GoForward,
                  &TFileHandler::CanGoForward);
    BindOperation(FileReopenAction, file, &TFileHandler::Reopen, &TFileHandler::CanReopen);
    BindOperation(FileCloseAction, file, &TFileHandler::Close, &TFileHandler::CanClose);
    Bind(
        FileDropFilesAction, [this, file] { file->DropFiles(FDroppedFiles); },
        [this, file]
        {
            const bool enabled = file->CanDropFiles();
            setAcceptDrops(enabled);
            return enabled;
        });
    BindOperation(FileHistoryAction, file, &TFileHandler::ShowHistory,
                  &TFileHandler::CanShowHistory);
    Bind(
        FileExitAction, [this] { close(); }, [] { return true; });
    BindRuleToggle(ExamRulesShuffleAction, &TExamRules::Shuffle);
    BindRuleToggle(ExamRulesReverseAction, &TExamRules::Reverse);
    BindRuleToggle(ExamRulesAutoHintAction, &TExamRules::AutoHint);
    BindRuleToggle(ExamRulesAutoAnswerAction, &TExamRules::AutoAnswer);
    BindRuleToggle(ExamRulesLimitTimeAction, &TExamRules::LimitTime);
    BindBarToggle(ViewToolbarAction, &TControlOptions::ShowToolbar);
    BindBarToggle(ViewStatusBarAction, &TControlOptions::ShowStatusBar);
    BindOtherActions();
}

void TAppMainForm::BindBarToggle(TActionId id, bool TControlOptions::*flag)
{
    TViewHandler* view = FViewHandler.get();
    FBindings[id].Execute = [view, flag]
    {
        TControlOptions options = view->GetControlOptions();
        options.*flag = !(options.*flag);
        view->SetControlOptions(options);
    };
    FBindings[id].Update = [view, flag](QAction& action)
    {
        action.setEnabled(view->CanSetControlOptions());
        action.setChecked(view->GetControlOptions().*flag);
    };
}

void TAppMainForm::BindOtherActions()
{
    THelpHandler* help = FHelpHandler.get();
    BindOperation(HelpContentsAction, help, &THelpHandler::ShowContents,
                  &THelpHandler::CanShowContents);
    BindOperation(HelpAboutAction, help, &THelpHandler::ShowAbout, &THelpHandler::CanShowAbout);
    BindOperation(ViewCustomizeAction, FViewHandler.get(), &TViewHandler::Customize,
                  &TViewHandler::CanCustomize);
    TToolsHandler* tools = FToolsHandler.get();
    TFileHandler* file = FFileHandler.get();
    Bind(
        ToolsOpenWithEditorAction, [tools, file] { tools->OpenWithEditor(file->GetFileName()); },
        [tools, file] { return file->IsOpen() && tools->CanOpenWithEditor(); });
    BindOperation(ToolsCreateTemplateAction, tools, &TToolsHandler::CreateTemplate,
                  &TToolsHandler::CanCreateTemplate);
    BindOperation(ToolsOptionsAction, tools, &TToolsHandler::EditOptions,
                  &TToolsHandler::CanEditOptions);
    TSettingsHandler* settings = FSettingsHandler.get();
    BindOperation(SettingsLoadAction, settings, &TSettingsHandler::Load,
                  &TSettingsHandler::CanLoad);
    BindOperation(SettingsSaveAction, settings, &TSettingsHandler::Save,
                  &TSettingsHandler::CanSave);
}

void TAppMainForm::CreateHandlers(const std::string& settingsFileName,
                                  const std::string& historyFileName)
{
    try
    {
        FMainView = std::make_unique<TMainView>(this, FUi->MessageArea, FStatusBar);
        FMainView->SetStatus("Ready to open a deck");
        FFileHandler = std::make_unique<TFileHandler>(FMainView.get(), historyFileName);
        FViewHandler =
            std::make_unique<TViewHandler>(this, FUi->ToolBar, FStatusBar, FUi->MessageArea);
        FToolsHandler = std::make_unique<TToolsHandler>();
        FHelpHandler = std::make_unique<THelpHandler>();
        FSettingsHandler = std::make_unique<TSettingsHandler>(
            settingsFileName.empty() ? TSettingsHandler::DefaultFileName() : settingsFileName);
        FSettingsHandler->AddHandler(FFileHandler.get());
        FSettingsHandler->AddHandler(FViewHandler.get());
        FSettingsHandler->AddHandler(FToolsHandler.get());
        FSettingsHandler->AddHandler(FHelpHandler.get());
        FSettingsHandler->AddHandler(FSettingsHandler.get());
        FUpdateNotifier = std::make_unique<TUpdateNotifier>();
        FUpdateNotifier->OnNotify = [this](TObject*) { NotifierNotify(); };
        FUpdateNotifier->OnUpdate = [this](TObject*) { NotifierUpdate(); };
        // Posted in this order: the actions are refreshed before the command line is read.
        FUpdateNotifier->Notify();
        QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(WM_PROCESSPARAMS)));
    }
    catch (...)
    {
        DestroyHandlers();
        throw;
    }
}

void TAppMainForm::DestroyHandlers()
{
    FUpdateNotifier.reset();
    FSettingsHandler.reset();
    FHelpHandler.reset();
    FToolsHandler.reset();
    FViewHandler.reset();
    FFileHandler.reset();
    FMainView.reset();
}

void TAppMainForm::NotifierNotify()
{
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(WM_UPDATEACTIONS)));
}

void TAppMainForm::NotifierUpdate()
{
    UpdateAllActions();
}

void TAppMainForm::UpdateAllActions()
{
    for (int id = 0; id < ActionCount; ++id)
        FBindings[id].Update(*FActions[id]);
}

void TAppMainForm::ExecuteAction(TActionId id)
{
    if (!FActions[id]->isEnabled())
        return;
    TBusyCursor cursor;
    try
    {
        FBindings[id].Execute();
    }
    catch (...)
    {
        FUpdateNotifier->Notify();
        throw;
    }
    FUpdateNotifier->Notify();
}

void TAppMainForm::ExecuteCommand(TActionId id)
{
    try
    {
        ExecuteAction(id);
    }
    catch (...)
    {
        ShowException(std::current_exception());
    }
}

void TAppMainForm::ExecuteSettingsLoad()
{
    ExecuteAction(SettingsLoadAction);
}

void TAppMainForm::ExecuteSettingsSave()
{
    ExecuteAction(SettingsSaveAction);
}

void TAppMainForm::ExecuteDropFiles(const std::vector<std::string>& fileNames)
{
    FDroppedFiles = fileNames;
    try
    {
        ExecuteAction(FileDropFilesAction);
    }
    catch (...)
    {
        FDroppedFiles.clear();
        throw;
    }
    FDroppedFiles.clear();
}

void TAppMainForm::SetCommandLine(std::vector<std::string> arguments)
{
    FCommandLine = std::move(arguments);
}

QMenu* TAppMainForm::createPopupMenu()
{
    // The bars are the view handler's: no menu of the window's own may hide them behind its back.
    return nullptr;
}

void TAppMainForm::ProcessParams()
{
    if (!FCommandLine.empty())
        ExecuteDropFiles(FCommandLine);
}

bool TAppMainForm::event(QEvent* event)
{
    if (event->type() == WM_UPDATEACTIONS)
    {
        FUpdateNotifier->Update();
        return true;
    }
    if (event->type() == WM_PROCESSPARAMS)
    {
        try
        {
            ProcessParams();
        }
        catch (...)
        {
            ShowException(std::current_exception());
        }
        return true;
    }
    return QMainWindow::event(event);
}

bool TAppMainForm::CloseSteps()
{
    try
    {
        if (FActions[FileCloseAction]->isEnabled())
            ExecuteAction(FileCloseAction);
    }
    catch (...)
    {
        ShowException(std::current_exception());
        return false;
    }
    try
    {
        ExecuteSettingsSave();
    }
    catch (...)
    {
        ShowException(std::current_exception());
        // The first failure keeps the window open so that the cause can be mended; a folder
        // the program can never write into must not keep the user from leaving, though.
        const bool firstFailure = !FSettingsSaveFailed;
        FSettingsSaveFailed = true;
        return !firstFailure;
    }
    return true;
}

void TAppMainForm::closeEvent(QCloseEvent* event)
{
    if (CloseSteps())
        event->accept();
    else
        event->ignore();
}

void TAppMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

// Drag events reach the window only while it accepts drops, which the drop action's update
// switches on and off.
void TAppMainForm::dragMoveEvent(QDragMoveEvent* event)
{
    AcceptDropAsCopy(*event);
}

std::vector<std::string> TAppMainForm::TakeDroppedFiles(const QDropEvent& event)
{
    TFileDrop drop(event, true);
    activateWindow();
    raise();
    std::vector<std::string> fileNames;
    for (int i = 0; i < drop.GetCount(); ++i)
        fileNames.push_back(drop.GetFileName(i));
    drop.Finish();
    return fileNames;
}

void TAppMainForm::dropEvent(QDropEvent* event)
{
    if (!AcceptDropAsCopy(*event))
        return;
    try
    {
        // The command may ask the user; it runs after the drop has been answered, so that the
        // program the files came from is not kept waiting by a message box.
        QMetaObject::invokeMethod(
            this, [this, fileNames = TakeDroppedFiles(*event)] { ExecuteDroppedFiles(fileNames); },
            Qt::QueuedConnection);
    }
    catch (...)
    {
        ShowException(std::current_exception());
    }
}

void TAppMainForm::ExecuteDroppedFiles(const std::vector<std::string>& fileNames)
{
    try
    {
        ExecuteDropFiles(fileNames);
    }
    catch (...)
    {
        ShowException(std::current_exception());
    }
}
