#pragma once

#include "Tovi_events.h"
#include "Tovi_exceptions.h"
#include "Tovi_objectblocks.h"
#include "Tovi_sets.h"
#include "Tovi_typedlists.h"

#include <functional>
#include <memory>
#include <string>

class TNimbaCard;
class TNimbaCards;
class TNimbaPage;

// The exam engine's exception: every refusal of an exam operation.
class EExamError : public EError
{
public:
    using EError::EError;
};

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

// One deck card as an exam shows it, possibly reversed (answer as question). The deck owns
// the card; hint and note are never swapped.
class TExamCard : public TObject
{
public:
    explicit TExamCard(const TNimbaCard& card) : Card(card) {}

    virtual bool HasHint() const;
    virtual bool HasNote() const;

    const TNimbaPage& GetQuestion() const;
    const TNimbaPage& GetAnswer() const;
    std::string GetHint() const;
    std::string GetNote() const;

    const TNimbaCard& Card;
    bool Reversed = false;
};

// The exam cards of one exam, built in deck order; the list owns them.
class TExamCards : public TObject
{
public:
    explicit TExamCards(const TNimbaCards& deckCards);

    // Exchanges each position with one drawn from all but the last position.
    virtual void Shuffle();
    virtual int IndexOf(const TExamCard* card) const;

    int Count() const { return FList.Count(); }
    // Raises EListError for an index outside 0 to Count - 1.
    TExamCard* Items(int index) const { return FList.Items(index); }

private:
    const TNimbaCards& FDeckCards;
    // The exam cards live in one block; the list only points at them.
    TObjectBlocks<TExamCard> FStore;
    TTypedObjectList<TExamCard> FList{false};
};

enum class TExamCardNavigatorState
{
    Started,
    Ended
};
using TExamCardNavigatorStates = TEnumSet<TExamCardNavigatorState>;

// The order in which the cards are presented, the current position (Count after the last
// card), the cards left so far, and whether the run has started and ended. Each backward
// step undoes the most recent forward step or retry.
class TExamCardNavigator : public TObject
{
public:
    // Copies the present order of the cards, which must outlive the navigator.
    explicit TExamCardNavigator(const TExamCards& cards);

    TNotifyEvent OnStart;
    TNotifyEvent OnEnd;
    TNotifyEvent OnCardChange;

protected:
    virtual void DoStart();
    virtual void DoEnd();
    virtual void DoCardChange();

public:
    virtual void Start();
    virtual bool CanStart() const;
    virtual bool IsStarted() const;
    virtual void End();
    virtual bool CanEnd() const;
    virtual bool IsEnded() const;
    // Puts the current card back min(interval, cards after it) places later.
    virtual void RetryCard(int interval);
    virtual bool CanRetryCard() const;
    virtual void MoveToPreviousCard();
    virtual bool CanMoveToPreviousCard() const;
    virtual void MoveToNextCard();
    virtual bool CanMoveToNextCard() const;

    // Raises EExamError when no card is current.
    TExamCard& GetCard() const;
    int GetCardIndex() const { return FCardIndex; }
    int GetCardCount() const { return FOrder.Count(); }
    TExamCardNavigatorStates GetState() const { return FState; }
    const TTypedObjectList<TExamCard>& Order() const { return FOrder; }
    const TTypedObjectList<TExamCard>& History() const { return FHistory; }

private:
    bool IsRunning() const;

    TTypedObjectList<TExamCard> FOrder{false};
    TTypedObjectList<TExamCard> FHistory{false};
    int FCardIndex = 0;
    TExamCardNavigatorStates FState;
};

enum class TExamStep
{
    Question,
    Hint,
    Answer
};
using TExamSteps = TEnumSet<TExamStep>;

// The steps shown for the current card: the question, optionally the hint, then the answer.
// Each step is recorded before its event fires.
class TExamStepNavigator : public TObject
{
public:
    TNotifyEvent OnQuestion;
    TNotifyEvent OnHint;
    TNotifyEvent OnAnswer;

protected:
    virtual void DoQuestion();
    virtual void DoHint();
    virtual void DoAnswer();

public:
    // The question when it has not been shown, otherwise the answer; never the hint.
    virtual void MoveToNextStep();
    virtual bool CanMoveToNextStep() const;
    virtual void ShowQuestion();
    virtual bool CanShowQuestion() const;
    virtual bool IsQuestionShown() const;
    virtual void ShowHint();
    virtual bool CanShowHint() const;
    virtual bool IsHintShown() const;
    virtual void ShowAnswer();
    virtual bool CanShowAnswer() const;
    virtual bool IsAnswerShown() const;
    // Forgets every step; fires nothing.
    virtual void Reset();

    TExamSteps GetSteps() const { return FSteps; }

private:
    TExamSteps FSteps;
};

// The timekeeper's source of ticks: a QTimer in the program; tests put a clock of their own in
// its place so that they never wait.
class TExamTimer
{
public:
    virtual ~TExamTimer() = default;
    // Ticks every interval of milliseconds until stopped; a new Start restarts the count.
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;

    std::function<void()> OnTimeout;
};

using TExamTimerFactory = std::function<std::unique_ptr<TExamTimer>()>;

// Sets what every new timekeeper takes its timer from and returns what was set before.
TExamTimerFactory SetExamTimerFactory(TExamTimerFactory factory);

// Measures the time from a question to its answer and fires OnTimeUp at most once per
// Start. With a limit of 0 the time is up at once, within Start.
class TExamTimekeeper : public TObject
{
public:
    TExamTimekeeper();
    ~TExamTimekeeper() override;
    TExamTimekeeper(const TExamTimekeeper&) = delete;
    TExamTimekeeper& operator=(const TExamTimekeeper&) = delete;

    TNotifyEvent OnTimeUp;

protected:
    virtual void DoTimeUp();

public:
    virtual void Start();
    // Keeps IsTimeUp as it is.
    virtual void Stop();
    virtual void Reset();

    // In milliseconds; a negative limit counts as 0.
    void SetTimeLimit(int milliseconds);
    bool IsTimeUp() const { return FTimeIsUp; }

private:
    void TimerTimer();

    std::unique_ptr<TExamTimer> FTimer;
    int FTimeLimit = 3000;
    // Running; the timer itself only ticks for a limit above 0.
    bool FEnabled = false;
    bool FTimeIsUp = false;
};

// One run of an exam over a deck's cards under fixed rules. The deck's cards must outlive
// the exam. Every card change shows the new card's question at once.
class TExam : public TObject
{
public:
    TExam(const TNimbaCards& deckCards, const TExamRules& rules);
    ~TExam() override;
    TExam(const TExam&) = delete;
    TExam& operator=(const TExam&) = delete;

    TNotifyEvent OnStart;
    TNotifyEvent OnEnd;
    TNotifyEvent OnCardChange;
    TNotifyEvent OnQuestion;
    TNotifyEvent OnHint;
    TNotifyEvent OnAnswer;
    TNotifyEvent OnTimeUp;

protected:
    virtual void DoStart();
    virtual void DoEnd();
    virtual void DoCardChange();
    virtual void DoQuestion();
    virtual void DoHint();
    virtual void DoAnswer();
    virtual void DoTimeUp();

public:
    virtual void Start();
    virtual bool CanStart() const;
    virtual bool IsStarted() const;
    virtual bool IsEnded() const;
    virtual void Stop();
    virtual bool CanStop() const;
    // The one-button advance: the next step, or the next card (a retry when the time ran out
    // and that costs a retry), or the end after the last card.
    virtual void Proceed();
    virtual bool CanProceed() const;
    virtual void RetryCard();
    virtual bool CanRetryCard() const;
    virtual void ShowHint();
    virtual bool CanShowHint() const;
    virtual void ShowAnswer();
    virtual bool CanShowAnswer() const;
    virtual void MoveToPreviousCard();
    virtual bool CanMoveToPreviousCard() const;
    virtual void MoveToNextCard();
    virtual bool CanMoveToNextCard() const;

    // Raises EExamError when no card is current.
    const TExamCard& GetCard() const;
    int GetCardIndex() const;
    int GetCardCount() const;

private:
    void CardNavigatorStart();
    void CardNavigatorEnd();
    void CardNavigatorCardChange();
    void StepNavigatorQuestion();
    void StepNavigatorHint();
    void StepNavigatorAnswer();
    void TimekeeperTimeUp();

    bool HasCurrentCard() const;
    void ShowNextSteps();
    void StopTimekeeper();

    std::unique_ptr<TExamCards> FCards;
    std::unique_ptr<TExamCardNavigator> FCardNavigator;
    std::unique_ptr<TExamStepNavigator> FStepNavigator;
    std::unique_ptr<TExamTimekeeper> FTimekeeper; // only when the time is limited
    TExamRules FRules;
};
