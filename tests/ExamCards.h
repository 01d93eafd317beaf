#pragma once

#include "App_Cards.h"
#include "App_Data.h"

#include <memory>
#include <string>
#include <vector>

struct TTestCard
{
    std::string Question;
    std::string Answer;
    std::string Hint;
    std::string Note;
};

// Deck cards made the way a deck file makes them.
inline std::unique_ptr<TNimbaCards> MakeDeckCards(const std::vector<TTestCard>& cards)
{
    std::string text;
    for (const TTestCard& card : cards)
        text += "[Card]\r\nQuestion.Text=" + card.Question + "\r\nAnswer.Text=" + card.Answer +
                "\r\nHint=" + card.Hint + "\r\nNote=" + card.Note + "\r\n";
    TNimbaEntries entries;
    entries.SetText(text);
    auto deckCards = std::make_unique<TNimbaCards>();
    deckCards->LoadFromEntries(entries);
    return deckCards;
}

// Cards whose questions are "1" to count, so that an order reads "1 2 3".
inline std::unique_ptr<TNimbaCards> MakeNumberedCards(int count)
{
    std::vector<TTestCard> cards;
    for (int i = 1; i <= count; ++i)
        cards.push_back({std::to_string(i), "A" + std::to_string(i), "", ""});
    return MakeDeckCards(cards);
}
