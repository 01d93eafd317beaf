#include "App_MainForm.h"
#include "Tovi_random.h"

#include <QApplication>

#include <memory>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    Q_INIT_RESOURCE(App_Images);
    QApplication application(argc, argv);
    try
    {
        QApplication::setApplicationName("Orvanta");
        QApplication::setApplicationVersion("1.0.0");
        auto form = std::make_unique<TAppMainForm>();
        // The bytes as given: a file name need not be valid in the locale's encoding.
        form->SetCommandLine(std::vector<std::string>(argv + 1, argv + argc));
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
