#pragma once

#include "Tovi_events.h"
#include "Tovi_objectblocks.h"
#include "Tovi_typedlists.h"

#include <string>

class TNimbaEntries;

// One side of a card: its text and the name of a file that belongs to it, if any.
class TNimbaPage : public TObject
{
public:
    TNimbaPage() = default;
    TNimbaPage(const TNimbaPage&) = delete;
    TNimbaPage& operator=(const TNimbaPage&) = delete;

    virtual void Assign(const TNimbaPage& source);
    virtual bool HasFile() const;

    std::string Text;
    std::string File;
};

// One card: question and answer pages, a hint and a note.
class TNimbaCard : public TObject
{
public:
    TNimbaCard() = default;
    TNimbaCard(const TNimbaCard&) = delete;
    TNimbaCard& operator=(const TNimbaCard&) = delete;

    virtual void Assign(const TNimbaCard& source);
    // Takes the first "Card" section out of the list and reads the card from it.
    virtual void LoadFromEntries(TNimbaEntries& entries);
    // Appends one "Card" section, leaving out empty fields.
    virtual void SaveToEntries(TNimbaEntries& entries) const;
    virtual bool HasHint() const;
    virtual bool HasNote() const;

    TNimbaPage Question;
    TNimbaPage Answer;
    std::string Hint;
    std::string Note;
};

// The cards of a deck in deck order; the list owns them.
class TNimbaCards : public TObject
{
public:
    TNimbaCards() = default;
    TNimbaCards(const TNimbaCards&) = delete;
    TNimbaCards& operator=(const TNimbaCards&) = delete;

    const TTypedObjectList<TNimbaCard>& List() const { return FList; }
    int Count() const { return FList.Count(); }
    // Raises EListError for an index outside 0 to Count - 1.
    TNimbaCard* Items(int index) const { return FList.Items(index); }

    // Position of that very card object; -1 when absent.
    virtual int IndexOf(const TNimbaCard* card) const;
    // Takes every "Card" section out of the list and replaces the cards by them.
    virtual void LoadFromEntries(TNimbaEntries& entries);
    // Appends one "Card" section per card, in order.
    virtual void SaveToEntries(TNimbaEntries& entries) const;

private:
    // The cards live in blocks; the list only points at them.
    TObjectBlocks<TNimbaCard> FStore;
    TTypedObjectList<TNimbaCard> FList{false};
};

// The deck's title and description.
class TNimbaAbout : public TObject
{
public:
    TNimbaAbout() = default;
    TNimbaAbout(const TNimbaAbout&) = delete;
    TNimbaAbout& operator=(const TNimbaAbout&) = delete;

    virtual void Assign(const TNimbaAbout& source);
    // Takes the first "About" section out of the list and reads title and description.
    virtual void LoadFromEntries(TNimbaEntries& entries);
    // Appends one "About" section, leaving out empty fields.
    virtual void SaveToEntries(TNimbaEntries& entries) const;
    virtual bool HasTitle() const;
    virtual bool HasDescription() const;

    std::string Title;
    std::string Description;
};

// A deck: its About information and its cards. Loading builds the new parts beside the old
// ones and exchanges them in only when complete, so a failed load keeps the previous deck.
class TNimbaDeck : public TObject
{
public:
    TNimbaDeck();
    ~TNimbaDeck() override;
    TNimbaDeck(const TNimbaDeck&) = delete;
    TNimbaDeck& operator=(const TNimbaDeck&) = delete;

    const TNimbaAbout& About() const { return *FAbout; }
    TNimbaAbout& About() { return *FAbout; }
    const TNimbaCards& Cards() const { return *FCards; }
    TNimbaCards& Cards() { return *FCards; }

    // Replaces About and Cards by the sections of the list, which loses the sections read.
    virtual void LoadFromEntries(TNimbaEntries& entries);
    // Appends the About section, then one "Card" section per card.
    virtual void SaveToEntries(TNimbaEntries& entries) const;
    // Raises EError "The program could not load the data." and keeps the deck.
    virtual void LoadFromFile(const std::string& fileName);
    // Raises EError "The program could not save the data.".
    virtual void SaveToFile(const std::string& fileName) const;

private:
    TNimbaAbout* FAbout;
    TNimbaCards* FCards;
};
