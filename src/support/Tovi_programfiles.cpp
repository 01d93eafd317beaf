#include "Tovi_programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <unistd.h>

#include <filesystem>
#include <system_error>

std::string ProgramFileName(const std::string& relativeName)
{
    return PathFromQt(QCoreApplication::applicationDirPath()) + "/" + relativeName;
}

std::string UserFileName(const std::string& name)
{
    static const std::string folder =
        ChooseUserFolder(PathFromQt(QCoreApplication::applicationDirPath()), UserConfigFolder());
    return folder + "/" + name;
}

std::string ChooseUserFolder(const std::string& programFolder, const std::string& configFolder)
{
    if (access(programFolder.c_str(), W_OK) == 0)
        return programFolder;
    // A folder that cannot be made shows up as the usual write error when a file is saved.
    std::error_code error;
    std::filesystem::create_directories(configFolder, error);
    return configFolder;
}

std::string UserConfigFolder()
{
    // The generic location follows XDG_CONFIG_HOME; the application location would depend on
    // the organisation and application names, and those are not the folder's name.
    return PathFromQt(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
           "/orvanta";
}

QString TextToQt(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string TextFromQt(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

QString PathToQt(const std::string& path)
{
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string PathFromQt(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}
