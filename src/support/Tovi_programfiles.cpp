#include "Tovi_programfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

std::string ProgramFileName(const std::string& relativeName)
{
    return PathFromQt(QCoreApplication::applicationDirPath()) + "/" + relativeName;
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
