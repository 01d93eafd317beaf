#include "App_MainForm.h"
#include "Tovi_random.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    Q_INIT_RESOURCE(App_Images);
    QApplication application(argc, argv);
    try
    {
        QApplication::setApplicationName("Orvanta");
        QApplication::setApplicationDisplayName("Orvanta");
        QApplication::setApplicationVersion("1.0.0");
        auto form = std::make_unique<TAppMainForm>();
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
