#include "App_Cards.h"

#include "App_Data.h"
#include "Tovi_autopointers.h"

#include <array>
#include <cstddef>

namespace
{
const std::string AboutSection = "About";
const std::string CardSection = "Card";

// Keys in the order they are written.
const std::array<std::string, 2> AboutKeys = {"Title", "Description"};
const std::array<std::string, 6> CardKeys = {"Question.Text", "Question.File", "Answer.Text",
                                             "Answer.File",   "Hint",          "Note"};

// The fields in the order of the keys.
template <typename TAbout> auto AboutFields(TAbout& about)
{
    return std::array{&about.Title, &about.Description};
}

template <typename TCard> auto CardFields(TCard& card)
{
    return std::array{&card.Question.Text, &card.Question.File, &card.Answer.Text,
                      &card.Answer.File,   &card.Hint,          &card.Note};
}

// Takes the first section of that name out of the list and reads the keys into the fields;
// the fields change only once every value has been read.
template <std::size_t N>
void ReadSection(TNimbaEntries& entries, const std::string& name,
                 const std::array<std::string, N>& keys, const std::array<std::string*, N>& fields)
{
    TAutoPointer<TNimbaEntry> entry(entries.Extract(name));
    std::array<std::string, N> values;
    entry->TakeValues(keys, values);
    for (std::size_t i = 0; i < N; ++i)
        fields[i]->swap(values[i]);
}

// Appends one section of that name holding the non-empty fields.
template <std::size_t N>
void WriteSection(TNimbaEntries& entries, const std::string& name,
                  const std::array<std::string, N>& keys,
                  const std::array<const std::string*, N>& fields)
{
    TAutoPointer<TNimbaEntry> entry(new TNimbaEntry);
    for (std::size_t i = 0; i < N; ++i)
        entry->WriteString(keys[i], *fields[i]);
    entries.Add(name, entry.Release());
}
} // namespace

void TNimbaPage::Assign(const TNimbaPage& source)
{
    if (&source == this)
        return;
    Text = source.Text;
    File = source.File;
}

bool TNimbaPage::HasFile() const
{
    return !File.empty();
}

void TNimbaCard::Assign(const TNimbaCard& source)
{
    if (&source == this)
        return;
    Question.Assign(source.Question);
    Answer.Assign(source.Answer);
    Hint = source.Hint;
    Note = source.Note;
}

void TNimbaCard::LoadFromEntries(TNimbaEntries& entries)
{
    ReadSection(entries, CardSection, CardKeys, CardFields(*this));
}

void TNimbaCard::SaveToEntries(TNimbaEntries& entries) const
{
    WriteSection(entries, CardSection, CardKeys, CardFields(*this));
}

bool TNimbaCard::HasHint() const
{
    return !Hint.empty();
}

bool TNimbaCard::HasNote() const
{
    return !Note.empty();
}

int TNimbaCards::IndexOf(const TNimbaCard* card) const
{
    return FList.IndexOf(card);
}

void TNimbaCards::LoadFromEntries(TNimbaEntries& entries)
{
    TObjectBlocks<TNimbaCard> store;
    TTypedObjectList<TNimbaCard> loaded(false);
    // Room for the most cards the list can hold, so that neither grows while loading.
    store.Reserve(static_cast<std::size_t>(entries.Count()));
    loaded.SetCapacity(entries.Count());
    while (entries.SectionExists(CardSection))
    {
        TNimbaCard* card = store.New();
        card->LoadFromEntries(entries);
        loaded.Add(card);
    }
    FList.Assign(loaded);
    // The previous cards go to the local store, which destroys them.
    FStore.Swap(store);
}

void TNimbaCards::SaveToEntries(TNimbaEntries& entries) const
{
    for (const TNimbaCard* card : FList)
        card->SaveToEntries(entries);
}

void TNimbaAbout::Assign(const TNimbaAbout& source)
{
    if (&source == this)
        return;
    Title = source.Title;
    Description = source.Description;
}

void TNimbaAbout::LoadFromEntries(TNimbaEntries& entries)
{
    ReadSection(entries, AboutSection, AboutKeys, AboutFields(*this));
}

void TNimbaAbout::SaveToEntries(TNimbaEntries& entries) const
{
    WriteSection(entries, AboutSection, AboutKeys, AboutFields(*this));
}

bool TNimbaAbout::HasTitle() const
{
    return !Title.empty();
}

bool TNimbaAbout::HasDescription() const
{
    return !Description.empty();
}

TNimbaDeck::TNimbaDeck()
{
    TAutoPointer<TNimbaAbout> about(new TNimbaAbout);
    TAutoPointer<TNimbaCards> cards(new TNimbaCards);
    FAbout = about.Release();
    FCards = cards.Release();
}

TNimbaDeck::~TNimbaDeck()
{
    delete FCards;
    delete FAbout;
}

void TNimbaDeck::LoadFromEntries(TNimbaEntries& entries)
{
    TAutoPointer<TNimbaAbout> about(new TNimbaAbout);
    about->LoadFromEntries(entries);
    TAutoPointer<TNimbaCards> cards(new TNimbaCards);
    cards->LoadFromEntries(entries);
    // The previous parts go to the owning pointers, which destroy them.
    FAbout = about.Exchange(FAbout);
    FCards = cards.Exchange(FCards);
}

void TNimbaDeck::SaveToEntries(TNimbaEntries& entries) const
{
    FAbout->SaveToEntries(entries);
    FCards->SaveToEntries(entries);
}

void TNimbaDeck::LoadFromFile(const std::string& fileName)
{
    TNimbaEntries entries;
    entries.LoadFromFile(fileName);
    LoadFromEntries(entries);
}

void TNimbaDeck::SaveToFile(const std::string& fileName) const
{
    TNimbaEntries entries;
    SaveToEntries(entries);
    entries.SaveToFile(fileName);
}
