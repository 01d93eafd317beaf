#include "App_ErrorBox.h"
#include "App_MainForm.h"
#include "App_Product.h"
#include "Tovi_random.h"

#include <QApplication>
#include <QIcon>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace
{
// Loading the settings changes the current folder, so a relative name is taken against the
// folder the program was started in, before anything else runs.
std::string StartFolderPath(const std::string& argument)
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(argument, error);
    return argument.empty() || error ? argument : path.string();
}

// The bytes as given: a file name need not be valid in the locale's encoding.
std::vector<std::string> CommandLineFiles(int argc, char* argv[])
{
    std::vector<std::string> files;
    for (int index = 1; index < argc; ++index)
        files.push_back(StartFolderPath(argv[index]));
    return files;
}
} // namespace

int main(int argc, char* argv[])
{
    Q_INIT_RESOURCE(App_Images);
    QApplication application(argc, argv);
    try
    {
        QApplication::setApplicationName(ProductName);
        QApplication::setApplicationVersion(ProductVersion);
        // Lets the desktop match the windows to the menu entry and its icon.
        QGuiApplication::setDesktopFileName(ProductDesktopId);
        QApplication::setWindowIcon(QIcon(":/images/orvanta.svg"));
        const std::vector<std::string> files = CommandLineFiles(argc, argv);
        auto form = std::make_unique<TAppMainForm>();
        form->SetCommandLine(files);
        RandSeed(TimeOfDayMilliseconds());
        // A Settings.ini that cannot be used must not lock the user out: its error shows once
        // and the program starts with its defaults; closing tries to save as always.
        try
        {
            form->ExecuteSettingsLoad();
        }
        catch (...)
        {
            ShowException(std::current_exception());
        }
        form->show();
        QApplication::exec();
    }
    catch (...)
    {
        ShowException(std::current_exception());
    }
    return 0;
}
