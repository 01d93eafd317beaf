#include "Tovi_filedrop.h"

#include "Tovi_programfiles.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace
{
// A file URL carries the name's bytes percent-encoded; bytes the locale cannot decode are kept.
std::string LocalFileName(const QUrl& url)
{
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    const std::string viaQt = PathFromQt(url.toLocalFile());
    return QString::fromUtf8(bytes).toUtf8() == bytes ? viaQt : bytes.toStdString();
}

const QDropEvent* LocalFilesDrop(const QEvent& event)
{
    if (event.type() != QEvent::Drop)
        return nullptr;
    const auto* drop = static_cast<const QDropEvent*>(&event);
    return TFileDrop::HoldsLocalFiles(drop->mimeData()) ? drop : nullptr;
}
} // namespace

TFileDrop::TFileDrop(const QEvent& event, bool autoFinish) : FAutoFinish(autoFinish)
{
    const QDropEvent* drop = LocalFilesDrop(event);
    if (drop == nullptr)
        throw EFileDropError("The program cannot make a  of the file drop.");
    std::vector<std::string> fileNames;
    for (const QUrl& url : drop->mimeData()->urls())
        fileNames.push_back(LocalFileName(url));
    FHandle = std::move(fileNames);
}

TFileDrop::~TFileDrop()
{
    if (FAutoFinish)
        TFileDrop::Finish();
}

void TFileDrop::Finish()
{
    FHandle.reset();
}

bool TFileDrop::IsEmpty() const
{
    return !FHandle.has_value();
}

int TFileDrop::GetCount() const
{
    if (IsEmpty())
        throw EFileDropError("The program cannot get the number of the dropped files.");
    return static_cast<int>(FHandle->size());
}

std::string TFileDrop::GetFileName(int index) const
{
    if (IsEmpty() || index < 0 || index >= GetCount())
        throw EFileDropError("The program cannot get the path of the dropped file.");
    return (*FHandle)[static_cast<size_t>(index)];
}

bool TFileDrop::HoldsLocalFiles(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return !urls.isEmpty() &&
           std::all_of(urls.begin(), urls.end(),
                       [](const QUrl& url)
                       { return url.isLocalFile() && !url.toLocalFile().isEmpty(); });
}
