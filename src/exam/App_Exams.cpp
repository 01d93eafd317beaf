#include "App_Exams.h"

#include "App_Cards.h"
#include "Tovi_random.h"

#include <QTimer>

#include <algorithm>
#include <array>
#include <utility>

namespace
{
void Require(bool query, const char* message)
{
    if (!query)
        throw EExamError(message);
}

void Fire(const TNotifyEvent& event, TObject* sender)
{
    if (event)
        event(sender);
}
} // namespace

// TExamCard

bool TExamCard::HasHint() const
{
    return Card.HasHint();
}

bool TExamCard::HasNote() const
{
    return Card.HasNote();
}

const TNimbaPage& TExamCard::GetQuestion() const
{
    return Reversed ? Card.Answer : Card.Question;
}

const TNimbaPage& TExamCard::GetAnswer() const
{
    return Reversed ? Card.Question : Card.Answer;
}

std::string TExamCard::GetHint() const
{
    return Card.Hint;
}

std::string TExamCard::GetNote() const
{
    return Card.Note;
}

// TExamCards

TExamCards::TExamCards(const TNimbaCards& deckCards) : FDeckCards(deckCards)
{
    FStore.Reserve(static_cast<std::size_t>(FDeckCards.Count()));
    FList.SetCapacity(FDeckCards.Count());
    for (const TNimbaCard* card : FDeckCards.List())
        FList.Add(FStore.New(*card));
}

// The last position is never drawn; it moves only on its own turn, so two cards always swap.
// Positions are drawn a few exchanges ahead, in the same order, and their memory is fetched
// meanwhile: a million exchanges at random places would otherwise each wait for memory.
void TExamCards::Shuffle()
{
    constexpr int Ahead = 16;
    const int count = Count();
    std::array<int, Ahead> drawn{};
    const auto draw = [this, count, &drawn](int i)
    {
        const int position = Random(count - 1);
        drawn[static_cast<std::size_t>(i % Ahead)] = position;
        __builtin_prefetch(&*(FList.begin() + position), 1);
    };
    for (int i = 0; i < std::min(Ahead, count); ++i)
        draw(i);
    for (int i = 0; i < count; ++i)
    {
        const int position = drawn[static_cast<std::size_t>(i % Ahead)];
        if (i + Ahead < count)
            draw(i + Ahead);
        FList.Exchange(i, position);
    }
}

int TExamCards::IndexOf(const TExamCard* card) const
{
    return FList.IndexOf(card);
}

// TExamCardNavigator

TExamCardNavigator::TExamCardNavigator(const TExamCards& cards)
{
    FOrder.SetCapacity(cards.Count());
    for (int i = 0; i < cards.Count(); ++i)
        FOrder.Add(cards.Items(i));
    FHistory.SetCapacity(cards.Count());
}

void TExamCardNavigator::DoStart()
{
    Fire(OnStart, this);
}

void TExamCardNavigator::DoEnd()
{
    Fire(OnEnd, this);
}

void TExamCardNavigator::DoCardChange()
{
    Fire(OnCardChange, this);
}

void TExamCardNavigator::Start()
{
    Require(CanStart(), "The pogram cannot start the exam.");
    FState.Include(TExamCardNavigatorState::Started);
    DoStart();
    DoCardChange();
}

bool TExamCardNavigator::CanStart() const
{
    return !IsStarted() && !IsEnded();
}

bool TExamCardNavigator::IsStarted() const
{
    return FState.Contains(TExamCardNavigatorState::Started);
}

void TExamCardNavigator::End()
{
    Require(CanEnd(), "The pogram cannot end the exam.");
    FState.Include(TExamCardNavigatorState::Ended);
    DoEnd();
}

bool TExamCardNavigator::CanEnd() const
{
    return IsRunning();
}

bool TExamCardNavigator::IsEnded() const
{
    return FState.Contains(TExamCardNavigatorState::Ended);
}

void TExamCardNavigator::RetryCard(int interval)
{
    Require(CanRetryCard() && interval >= 0, "The pogram cannot retry the card.");
    FHistory.Add(&GetCard());
    const int places = std::min(interval, GetCardCount() - FCardIndex - 1);
    FOrder.Move(FCardIndex, FCardIndex + places);
    DoCardChange();
}

bool TExamCardNavigator::CanRetryCard() const
{
    return CanMoveToNextCard();
}

// A card left forward stands just before the position; a retried card stands at or after
// it, where the retry put it (everything done since has been undone already).
void TExamCardNavigator::MoveToPreviousCard()
{
    Require(CanMoveToPreviousCard(), "The pogram cannot move to the previous card.");
    const TExamCard* last = FHistory.Last();
    if (FCardIndex > 0 && FOrder.Items(FCardIndex - 1) == last)
        --FCardIndex;
    else
    {
        const auto position = std::find(FOrder.begin() + FCardIndex, FOrder.end(), last);
        FOrder.Move(static_cast<int>(position - FOrder.begin()), FCardIndex);
    }
    FHistory.Delete(FHistory.Count() - 1);
    DoCardChange();
}

bool TExamCardNavigator::CanMoveToPreviousCard() const
{
    return IsRunning() && FHistory.Count() > 0;
}

void TExamCardNavigator::MoveToNextCard()
{
    Require(CanMoveToNextCard(), "The pogram cannot move to the next card.");
    FHistory.Add(&GetCard());
    ++FCardIndex;
    DoCardChange();
}

bool TExamCardNavigator::CanMoveToNextCard() const
{
    return IsRunning() && FCardIndex < GetCardCount();
}

TExamCard& TExamCardNavigator::GetCard() const
{
    Require(IsRunning() && FCardIndex != GetCardCount(), "The pogram cannot get the card.");
    return *FOrder.Items(FCardIndex);
}

bool TExamCardNavigator::IsRunning() const
{
    return IsStarted() && !IsEnded();
}

// TExamStepNavigator

void TExamStepNavigator::DoQuestion()
{
    Fire(OnQuestion, this);
}

void TExamStepNavigator::DoHint()
{
    Fire(OnHint, this);
}

void TExamStepNavigator::DoAnswer()
{
    Fire(OnAnswer, this);
}

void TExamStepNavigator::MoveToNextStep()
{
    Require(CanMoveToNextStep(), "The program cannot move to the next step.");
    if (IsQuestionShown())
        ShowAnswer();
    else
        ShowQuestion();
}

bool TExamStepNavigator::CanMoveToNextStep() const
{
    return !IsAnswerShown();
}

void TExamStepNavigator::ShowQuestion()
{
    Require(CanShowQuestion(), "The program cannot show the question.");
    FSteps.Include(TExamStep::Question);
    DoQuestion();
}

bool TExamStepNavigator::CanShowQuestion() const
{
    return !IsQuestionShown();
}

bool TExamStepNavigator::IsQuestionShown() const
{
    return FSteps.Contains(TExamStep::Question);
}

void TExamStepNavigator::ShowHint()
{
    Require(CanShowHint(), "The program cannot show the hint.");
    FSteps.Include(TExamStep::Hint);
    DoHint();
}

bool TExamStepNavigator::CanShowHint() const
{
    return IsQuestionShown() && !IsHintShown() && !IsAnswerShown();
}

bool TExamStepNavigator::IsHintShown() const
{
    return FSteps.Contains(TExamStep::Hint);
}

void TExamStepNavigator::ShowAnswer()
{
    Require(CanShowAnswer(), "The program cannot show the answer.");
    FSteps.Include(TExamStep::Answer);
    DoAnswer();
}

bool TExamStepNavigator::CanShowAnswer() const
{
    return IsQuestionShown() && !IsAnswerShown();
}

bool TExamStepNavigator::IsAnswerShown() const
{
    return FSteps.Contains(TExamStep::Answer);
}

void TExamStepNavigator::Reset()
{
    FSteps.Clear();
}

// TExamTimekeeper

namespace
{
class TQtExamTimer final : public TExamTimer
{
public:
    TQtExamTimer()
    {
        QObject::connect(&FTimer, &QTimer::timeout, &FTimer, [this] { OnTimeout(); });
    }
    void Start(int milliseconds) override { FTimer.start(milliseconds); }
    void Stop() override { FTimer.stop(); }

private:
    QTimer FTimer;
};

TExamTimerFactory& ExamTimerFactory()
{
    static TExamTimerFactory factory = [] { return std::make_unique<TQtExamTimer>(); };
    return factory;
}
} // namespace

TExamTimerFactory SetExamTimerFactory(TExamTimerFactory factory)
{
    return std::exchange(ExamTimerFactory(), std::move(factory));
}

TExamTimekeeper::TExamTimekeeper() : FTimer(ExamTimerFactory()())
{
    FTimer->OnTimeout = [this] { TimerTimer(); };
}

TExamTimekeeper::~TExamTimekeeper() = default;

void TExamTimekeeper::DoTimeUp()
{
    Fire(OnTimeUp, this);
}

void TExamTimekeeper::Start()
{
    Require(!FEnabled, "The program cannot start the timekeeper.");
    Reset();
    if (FTimeLimit == 0)
        TimerTimer();
    FEnabled = true;
    // A zero limit was used up above; the timer would otherwise tick on every idle pass.
    if (FTimeLimit > 0)
        FTimer->Start(FTimeLimit);
}

void TExamTimekeeper::Stop()
{
    FEnabled = false;
    FTimer->Stop();
}

void TExamTimekeeper::Reset()
{
    Stop();
    FTimeIsUp = false;
}

void TExamTimekeeper::SetTimeLimit(int milliseconds)
{
    FTimeLimit = std::max(milliseconds, 0);
}

void TExamTimekeeper::TimerTimer()
{
    Stop();
    FTimeIsUp = true;
    DoTimeUp();
}

// TExam

TExam::TExam(const TNimbaCards& deckCards, const TExamRules& rules) : FRules(rules)
{
    FCards = std::make_unique<TExamCards>(deckCards);
    // In the order the cards lie in memory, before the shuffle scatters them.
    for (int i = 0; i < FCards->Count(); ++i)
        FCards->Items(i)->Reversed = FRules.Reverse;
    if (FRules.Shuffle)
        FCards->Shuffle();

    FCardNavigator = std::make_unique<TExamCardNavigator>(*FCards);
    FCardNavigator->OnStart = [this](TObject*) { CardNavigatorStart(); };
    FCardNavigator->OnEnd = [this](TObject*) { CardNavigatorEnd(); };
    FCardNavigator->OnCardChange = [this](TObject*) { CardNavigatorCardChange(); };

    FStepNavigator = std::make_unique<TExamStepNavigator>();
    FStepNavigator->OnQuestion = [this](TObject*) { StepNavigatorQuestion(); };
    FStepNavigator->OnHint = [this](TObject*) { StepNavigatorHint(); };
    FStepNavigator->OnAnswer = [this](TObject*) { StepNavigatorAnswer(); };

    if (FRules.LimitTime)
    {
        FTimekeeper = std::make_unique<TExamTimekeeper>();
        FTimekeeper->SetTimeLimit(FRules.TimeLimit);
        FTimekeeper->OnTimeUp = [this](TObject*) { TimekeeperTimeUp(); };
    }
}

TExam::~TExam() = default;

void TExam::DoStart()
{
    Fire(OnStart, this);
}

void TExam::DoEnd()
{
    Fire(OnEnd, this);
}

void TExam::DoCardChange()
{
    Fire(OnCardChange, this);
}

void TExam::DoQuestion()
{
    Fire(OnQuestion, this);
}

void TExam::DoHint()
{
    Fire(OnHint, this);
}

void TExam::DoAnswer()
{
    Fire(OnAnswer, this);
}

void TExam::DoTimeUp()
{
    Fire(OnTimeUp, this);
}

void TExam::Start()
{
    Require(CanStart(), "The program cannot start the exam.");
    FCardNavigator->Start();
}

bool TExam::CanStart() const
{
    return FCardNavigator->CanStart();
}

bool TExam::IsStarted() const
{
    return FCardNavigator->IsStarted();
}

bool TExam::IsEnded() const
{
    return FCardNavigator->IsEnded();
}

void TExam::Stop()
{
    Require(CanStop(), "The program cannot stop the exam.");
    FCardNavigator->End();
}

bool TExam::CanStop() const
{
    return FCardNavigator->CanEnd();
}

void TExam::Proceed()
{
    Require(CanProceed(), "The program cannot move to the next step.");
    if (GetCardIndex() == GetCardCount())
        FCardNavigator->End();
    else if (FStepNavigator->CanMoveToNextStep())
        ShowNextSteps();
    else if (FTimekeeper && FRules.ChargeRetry && FTimekeeper->IsTimeUp())
        RetryCard();
    else
        MoveToNextCard();
}

bool TExam::CanProceed() const
{
    return IsStarted() && !IsEnded();
}

void TExam::RetryCard()
{
    Require(CanRetryCard(), "The program cannot retry the card.");
    FCardNavigator->RetryCard(FRules.RetryInterval);
}

bool TExam::CanRetryCard() const
{
    return GetCardIndex() < GetCardCount();
}

void TExam::ShowHint()
{
    Require(CanShowHint(), "The program cannot show the hint.");
    FStepNavigator->ShowHint();
}

bool TExam::CanShowHint() const
{
    return HasCurrentCard() && FStepNavigator->CanShowHint() && GetCard().HasHint();
}

void TExam::ShowAnswer()
{
    Require(CanShowAnswer(), "The program cannot show the answer.");
    FStepNavigator->ShowAnswer();
}

bool TExam::CanShowAnswer() const
{
    return HasCurrentCard() && FStepNavigator->CanShowAnswer();
}

void TExam::MoveToPreviousCard()
{
    Require(CanMoveToPreviousCard(), "The program cannot move to the previous card.");
    FCardNavigator->MoveToPreviousCard();
}

bool TExam::CanMoveToPreviousCard() const
{
    return FCardNavigator->CanMoveToPreviousCard();
}

void TExam::MoveToNextCard()
{
    Require(CanMoveToNextCard(), "The program cannot move to the next card.");
    FCardNavigator->MoveToNextCard();
}

bool TExam::CanMoveToNextCard() const
{
    return FCardNavigator->CanMoveToNextCard();
}

const TExamCard& TExam::GetCard() const
{
    return FCardNavigator->GetCard();
}

int TExam::GetCardIndex() const
{
    return FCardNavigator->GetCardIndex();
}

int TExam::GetCardCount() const
{
    return FCardNavigator->GetCardCount();
}

void TExam::CardNavigatorStart()
{
    DoStart();
}

void TExam::CardNavigatorEnd()
{
    StopTimekeeper();
    DoEnd();
}

// The card navigator announces the change while the steps still belong to the card left.
void TExam::CardNavigatorCardChange()
{
    StopTimekeeper();
    DoCardChange();
    FStepNavigator->Reset();
    if (GetCardIndex() < GetCardCount())
        Proceed();
}

void TExam::StepNavigatorQuestion()
{
    DoQuestion();
    if (FTimekeeper)
        FTimekeeper->Start();
}

void TExam::StepNavigatorHint()
{
    DoHint();
}

void TExam::StepNavigatorAnswer()
{
    StopTimekeeper();
    DoAnswer();
}

void TExam::TimekeeperTimeUp()
{
    DoTimeUp();
}

// Only a current card of a running exam has steps to show; asking about a stopped exam
// answers false rather than failing.
bool TExam::HasCurrentCard() const
{
    return IsStarted() && !IsEnded() && GetCardIndex() < GetCardCount();
}

void TExam::ShowNextSteps()
{
    FStepNavigator->MoveToNextStep();
    if (FRules.AutoHint && CanShowHint())
        ShowHint();
    if (FRules.AutoAnswer && CanShowAnswer())
        ShowAnswer();
}

void TExam::StopTimekeeper()
{
    if (FTimekeeper)
        FTimekeeper->Stop();
}
