#pragma once

#include "Tovi_events.h"
#include "Tovi_exceptions.h"

class TMemIniFile;

// The handlers' exception.
class EHandlerError : public EError
{
public:
    using EError::EError;
};

// Base of every handler. Each command is a virtual operation paired with a query named Can
// plus the operation's name; the operation refuses through Unavailable when its query is false.
class THandler : public TObject
{
public:
    THandler() = default;
    THandler(const THandler&) = delete;
    THandler& operator=(const THandler&) = delete;

    // Raises EHandlerError "The feature is unavailable.".
    [[noreturn]] virtual void Unavailable();
    virtual void LoadSettings(TMemIniFile& settings);
    virtual void SaveSettings(TMemIniFile& settings);

protected:
    // Calls Unavailable when the query answered false.
    void Guard(bool query);
};
