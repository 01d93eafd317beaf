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

// A name that the locale cannot decode keeps its bytes above 0x7F as U+DC80 to U+DCFF (lone
// surrogates, which no real name holds), so that it comes back from Qt byte for byte.
constexpr char16_t EscapedByteBase = 0xDC00;

QString PathToQt(const std::string& path)
{
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    const QString decoded = QFile::decodeName(bytes);
    if (QFile::encodeName(decoded) == bytes)
        return decoded;
    QString escaped;
    for (const char byte : path)
    {
        const auto value = static_cast<unsigned char>(byte);
        escaped += value < 0x80 ? QChar(value) : QChar(char16_t(EscapedByteBase + value));
    }
    return escaped;
}

std::string PathFromQt(const QString& path)
{
    std::string bytes;
    qsizetype plain = 0;
    for (qsizetype i = 0; i <= path.size(); ++i)
    {
        const bool escaped = i < path.size() && path[i].unicode() >= EscapedByteBase + 0x80 &&
                             path[i].unicode() <= EscapedByteBase + 0xFF;
        if (i < path.size() && !escaped)
            continue;
        bytes += QFile::encodeName(path.mid(plain, i - plain)).toStdString();
        if (escaped)
            bytes += static_cast<char>(path[i].unicode() - EscapedByteBase);
        plain = i + 1;
    }
    return bytes;
}
