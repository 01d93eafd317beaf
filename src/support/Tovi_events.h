#pragma once

#include <functional>

// Root of the program's classes that fire notify events.
class TObject
{
public:
    virtual ~TObject() = default;
};

// An optional callback bound to an object, called with the sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;
