#pragma once

#include "Tovi_exceptions.h"

#include <optional>
#include <string>
#include <vector>

class QEvent;
class QMimeData;

// The dropped-files wrapper's exception.
class EFileDropError : public EError
{
public:
    using EError::EError;
};

// One drop of local files on a window: the number of files, the full path of each, and the
// release of the drop, which happens exactly once.
class TFileDrop
{
public:
    // Accepts only a drop event whose data are local files; raises EFileDropError otherwise.
    explicit TFileDrop(const QEvent& event, bool autoFinish = true);
    virtual ~TFileDrop();
    TFileDrop(const TFileDrop&) = delete;
    TFileDrop& operator=(const TFileDrop&) = delete;

    // Releases the drop; later calls do nothing.
    virtual void Finish();
    virtual bool IsEmpty() const;

    int GetCount() const;
    // The full path of the dropped file at the index, counted from 0.
    std::string GetFileName(int index) const;

    // True when the data are one or more local files and nothing else, so a drop can be made of
    // them; a window asks this before it accepts a drag.
    static bool HoldsLocalFiles(const QMimeData* data);

private:
    // The paths of the drop; empty once released.
    std::optional<std::vector<std::string>> FHandle;
    bool FAutoFinish;
};
