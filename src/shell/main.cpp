#include "App_ErrorBox.h"
#include "App_MainForm.h"
#include "App_Product.h"
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
        QApplication::setApplicationName(ProductName);
        QApplication::setApplicationVersion(ProductVersion);
        auto form = std::make_unique<TAppMainForm>();
        // The bytes as given: a file name need not be valid in the locale's encoding.
        form->SetCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        RandSeed(TimeOfDayMilliseconds());
        form->ExecuteSettingsLoad();
        form->show();
        QApplication::exec();
    }
    catch (...)
    {
        ShowException(std::current_exception());
    }
    return 0;
}
