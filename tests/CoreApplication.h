#pragma once

#include <QCoreApplication>

// Timers tick through an event loop, so tests that run one need an application object; the
// first caller makes it and it lives until the process ends.
inline void EnsureCoreApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "orvanta_tests";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}
