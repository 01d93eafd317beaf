#include "App_Cards.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct TShippedDeck
{
    const char* Path;
    int Cards;
};

// The decks that ship with the program load as their authors meant them to.
TEST(ShippedDecks, LoadWithTitleAndEveryCard)
{
    const TShippedDeck decks[] = {{"/data/Templates/Default.txt", 4},
                                  {"/examples/Capitals.txt", 8}};
    for (const TShippedDeck& shipped : decks)
    {
        TNimbaDeck deck;
        deck.LoadFromFile(std::string(ORVANTA_SOURCE_DIR) + shipped.Path);
        EXPECT_TRUE(deck.About().HasTitle()) << shipped.Path;
        EXPECT_TRUE(deck.About().HasDescription()) << shipped.Path;
        ASSERT_EQ(deck.Cards().Count(), shipped.Cards) << shipped.Path;
        for (int i = 0; i < deck.Cards().Count(); ++i)
        {
            EXPECT_FALSE(deck.Cards().Items(i)->Question.Text.empty()) << shipped.Path << i;
            EXPECT_FALSE(deck.Cards().Items(i)->Answer.Text.empty()) << shipped.Path << i;
        }
    }
}
} // namespace
