#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "profiles/iprofile.h"
#include "support/profiledata.h"

namespace {
// A list whose profiles carry the given numbers, in this order; each is named after its
// position so tests can tell two profiles with one number apart.
void Fill(TListItems& list, std::initializer_list<int32_t> ids)
{
    for (const int32_t id : ids) {
        auto profile = std::make_unique<Tprofile>(list);
        profile->id = id;
        profile->name = "at " + std::to_string(list.Count());
        list.Append(std::move(profile));
    }
}

// The number of the profile found, or -100 for none.
int32_t NumberOf(const Tprofile* profile) { return profile ? profile->id : -100; }

}  // namespace

TEST(Tprofile, StartsEmptyAndOutsideItsList)
{
    TListItems list;
    const Tprofile profile(list);
    EXPECT_EQ(profile.id, 0);
    EXPECT_TRUE(profile.ip.empty() && profile.mask.empty() && profile.gw.empty());
    EXPECT_TRUE(profile.dns1.empty() && profile.dns2.empty() && profile.name.empty());
    EXPECT_FALSE(profile.dhcp);
    EXPECT_EQ(profile.Caption(), "");
    EXPECT_EQ(profile.ImageIndex(), 0);
    EXPECT_EQ(profile.Index(), -1);
    EXPECT_EQ(list.Count(), 0);
}

TEST(FindProfile, GivesTheFirstHolderOfTheNumberOrNone)
{
    TListItems list;
    Fill(list, {0, 2, 2, 5});
    const CurrentProfileList current(&list);

    ASSERT_NE(FindProfile(2), nullptr);
    EXPECT_EQ(FindProfile(2)->name, "at 1");
    EXPECT_EQ(FindProfile(5)->name, "at 3");
    EXPECT_EQ(FindProfile(1), nullptr);
    EXPECT_EQ(FindProfile(-1), nullptr);
}

TEST(NextProfile, StepsToTheNextHeldNumberBelowTheCountAndWrapsToZero)
{
    struct Case {
        std::initializer_list<int32_t> ids;
        int32_t current;
        int32_t next;  // -100: none
    };
    const Case cases[] = {
        {{0, 1, 2}, -1, 0},  // nothing applied yet
        {{0, 1, 2}, 0, 1},
        {{0, 1, 2}, 1, 2},
        {{0, 1, 2}, 2, 0},          // wraps after the last
        {{0, 2, 3, 4}, 0, 2},       // a gap is passed over
        {{0, 1, 5}, 1, 0},          // 5 is not below the count 3: never reached
        {{0, 1, 3}, 1, 0},          // 3 is not below the count 3
        {{4, 1, 3}, 1, -100},       // wraps to 0, which no profile holds
        {{2, 0, 1}, 0, 1},          // numbers, not positions, decide
        {{0, 1, 2}, 7, 0},          // a current beyond the list
        {{0, 1, 2}, INT32_MAX, 0},  // ... even at the very end of the range
        {{0, 1, 2}, INT32_MIN, 0},
        {{1, 2}, -5, 1},
        {{}, -1, -100},  // empty list
        {{}, 0, -100},
    };
    for (const Case& c : cases) {
        TListItems list;
        Fill(list, c.ids);
        EXPECT_EQ(NumberOf(NextProfileIn(list, c.current)), c.next)
            << "after " << c.current << " in a list of " << c.ids.size();
    }
}

TEST(NextProfile, TakesTheFirstOfTwoEqualNumbersAndWorksOnTheCurrentList)
{
    TListItems list;
    Fill(list, {0, 1, 1});
    const CurrentProfileList current(&list);
    ASSERT_NE(NextProfile(0), nullptr);
    EXPECT_EQ(NextProfile(0)->name, "at 1");
    EXPECT_EQ(NextProfile(1)->name, "at 0");
}

TEST(FindProfile, FindsNothingWithoutAList)
{
    const CurrentProfileList none(nullptr);
    EXPECT_EQ(FindProfile(0), nullptr);
    EXPECT_EQ(NextProfile(-1), nullptr);
}

TEST(ProfileAt, RefusesAnItemThatIsNotAProfile)
{
    TListItems list;
    Fill(list, {0});
    list.Append(std::make_unique<TListItem>(list));
    EXPECT_EQ(ProfileAt(list, 0).id, 0);
    EXPECT_ANY_THROW(ProfileAt(list, 1));
    EXPECT_ANY_THROW(ProfileAt(list, 2));
}

// What a command or a shortcut names: a title that matches exactly wins over "#N", "#N" takes
// digits only and in range, and letter case is ignored only when one title matches.
TEST(ProfileNamedIn, TitleFirstThenNumberThenTheOnlyTitleButForLetterCase)
{
    TListItems list;
    for (const char* title : {"Office", "#1", "home", "Home", "Lab", "Lab"})
        AppendCaptioned(list, ProfileData{"10.0.0.5", "255.0.0.0", "", "", "", title});
    const std::pair<const char*, int> cases[] = {
        {"#1", 1},   {"#3", 2}, {"#03", 2}, {"#6", 5},     {"#7", -1},   {"#0", -1},  {"#1x", -1},
        {"#-1", -1}, {"#", -1}, {"Lab", 4}, {"office", 0}, {"HOME", -1}, {"Home", 3}, {"", -1},
    };
    for (const auto& [name, position] : cases) {
        const Tprofile* found = ProfileNamedIn(list, name);
        EXPECT_EQ(found != nullptr ? found->Index() : -1, position) << name;
    }
    EXPECT_EQ(ProfilesCaptioned(list, "Lab"), 2);
}
