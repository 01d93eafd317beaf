#pragma once

#include "App_Handlers.h"

// The offline help and the about box.
class THelpHandler : public THandler
{
public:
    virtual void ShowContents();
    virtual bool CanShowContents();
    virtual void ShowAbout();
    virtual bool CanShowAbout();
};
