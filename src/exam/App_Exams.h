#pragma once

// The eight exam rules, one value record copied whole. A record nobody has set holds false
// and 0 everywhere; Defaults() gives the rules a new file handler starts with.
struct TExamRules
{
    bool Shuffle = false;
    bool Reverse = false;
    bool AutoHint = false;
    bool AutoAnswer = false;
    bool LimitTime = false;
    int TimeLimit = 0;
    bool ChargeRetry = false;
    int RetryInterval = 0;

    static TExamRules Defaults() { return {true, false, false, false, false, 3000, true, 4}; }
    bool operator==(const TExamRules&) const = default;
};
