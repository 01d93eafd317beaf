#pragma once

#include "App_Exams.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class TFileHandler;
struct TControlOptions;
class THelpHandler;
class TMainView;
class TSettingsHandler;
class TSimpleStatusBar;
class TToolsHandler;
class TUpdateNotifier;
class TViewHandler;

namespace Ui
{
class AppMainForm;
}

// The main window: owns every command as a named action and routes each to one handler.
class TAppMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // The actions in the order UpdateAllActions visits them.
    enum TActionId
    {
        FileOpenAction,
        EditCopyDataDeckAction,
        EditCopyDataInformationAction,
        EditCopyDataCardsAction,
        EditCopyDataCurrentCardAction,
        EditCopyMessagesAction,
        EditInformationAction,
        ExamStartAction,
        ExamStopAction,
        ExamRulesDetailsAction,
        ExamProceedAction,
        ExamHintAction,
        ExamRetryAction,
        ExamMoveGoBackAction,
        ExamMoveGoForwardAction,
        FileReopenAction,
        FileCloseAction,
        FileDropFilesAction,
        FileHistoryAction,
        FileExitAction,
        ExamRulesShuffleAction,
        ExamRulesReverseAction,
        ExamRulesAutoHintAction,
        ExamRulesAutoAnswerAction,
        ExamRulesLimitTimeAction,
        ViewToolbarAction,
        ViewStatusBarAction,
        HelpContentsAction,
        HelpAboutAction,
        ViewCustomizeAction,
        ToolsOpenWithEditorAction,
        ToolsCreateTemplateAction,
        ToolsOptionsAction,
        SettingsLoadAction,
        SettingsSaveAction,
        ActionCount
    };

    // Settings.ini and History.ini are the handlers' defaults unless a test names other files.
    explicit TAppMainForm(const std::string& settingsFileName = std::string(),
                          const std::string& historyFileName = std::string(),
                          QWidget* parent = nullptr);
    ~TAppMainForm() override;

    virtual void ExecuteSettingsLoad();
    virtual void ExecuteSettingsSave();

    // Virtual so that a test can see what a drop hands over.
    // The arguments the program was started with, handed to the file handler once the window is up.
    void SetCommandLine(std::vector<std::string> arguments);
    QMenu* createPopupMenu() override;
    virtual void ExecuteDropFiles(const std::vector<std::string>& fileNames);
    void UpdateAllActions();

    // The common route: runs the action only while it is enabled; raises what the call raised.
    void ExecuteAction(TActionId id);

    QAction* Action(TActionId id) const { return FActions[id]; }
    TMainView* GetMainView() const { return FMainView.get(); }
    TFileHandler* GetFileHandler() const { return FFileHandler.get(); }
    TViewHandler* GetViewHandler() const { return FViewHandler.get(); }
    TToolsHandler* GetToolsHandler() const { return FToolsHandler.get(); }
    THelpHandler* GetHelpHandler() const { return FHelpHandler.get(); }
    TSettingsHandler* GetSettingsHandler() const { return FSettingsHandler.get(); }
    TUpdateNotifier* GetUpdateNotifier() const { return FUpdateNotifier.get(); }
    TSimpleStatusBar* GetStatusBar() const { return FStatusBar; }
    const std::vector<std::string>& GetDroppedFiles() const { return FDroppedFiles; }

    // The two private messages, posted to the window's own queue.
    static const int WM_PROCESSPARAMS;
    static const int WM_UPDATEACTIONS;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct TActionBinding
    {
        std::function<void()> Execute;
        std::function<void(QAction&)> Update;
    };

    void CreateActions();
    void BindActions();
    void Bind(TActionId id, std::function<void()> execute, std::function<bool()> query);
    template <typename THandlerClass>
    void BindOperation(TActionId id, THandlerClass* handler, void (THandlerClass::*operation)(),
                       bool (THandlerClass::*query)());
    void BindBarToggle(TActionId id, bool TControlOptions::*flag);
    void BindOtherActions();
    void BindRuleToggle(TActionId id, bool TExamRules::*flag);
    void CreateExamButtons();
    void CreateMenus();
    void CreateToolbar();
    QMenu* AddMenu(QMenu* parent, const char* caption, std::initializer_list<int> items);
    void CreateHandlers(const std::string& settingsFileName, const std::string& historyFileName);
    void DestroyHandlers();
    void NotifierNotify();
    void NotifierUpdate();
    void ProcessParams();
    // Closes the deck and saves the settings; false when that failed or was declined.
    bool CloseSteps();
    void ExecuteCommand(TActionId id);
    void ShowMessageMenu(const QPoint& position);
    std::vector<std::string> TakeDroppedFiles(const QDropEvent& event);
    void ExecuteDroppedFiles(const std::vector<std::string>& fileNames);

    std::unique_ptr<Ui::AppMainForm> FUi;
    TSimpleStatusBar* FStatusBar = nullptr;
    std::array<QAction*, ActionCount> FActions{};
    std::array<TActionBinding, ActionCount> FBindings;
    QMenu* FMessageMenu = nullptr;

    std::unique_ptr<TMainView> FMainView;
    std::unique_ptr<TFileHandler> FFileHandler;
    std::unique_ptr<TViewHandler> FViewHandler;
    std::unique_ptr<TToolsHandler> FToolsHandler;
    std::unique_ptr<THelpHandler> FHelpHandler;
    std::unique_ptr<TSettingsHandler> FSettingsHandler;
    std::unique_ptr<TUpdateNotifier> FUpdateNotifier;
    std::vector<std::string> FDroppedFiles;
    bool FSettingsSaveFailed = false;
    std::vector<std::string> FCommandLine;
};
