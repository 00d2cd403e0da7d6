#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/error.h"
#include "ui/listitems.h"

namespace {
// Writes down what a list-view control would be told, in order.
class RecordingView : public ListItemsView {
public:
    void ItemInserted(int index) override { events.push_back("inserted " + std::to_string(index)); }
    void ItemRemoved(int index) override { events.push_back("removed " + std::to_string(index)); }
    void ItemChanged(int index) override { events.push_back("changed " + std::to_string(index)); }
    void ItemsCleared() override { events.push_back("cleared"); }

    std::vector<std::string> events;
};

TListItem& AppendCaptioned(TListItems& items, const std::string& caption)
{
    auto item = std::make_unique<TListItem>(items);
    item->SetCaption(caption);
    return items.Append(std::move(item));
}

std::vector<std::string> Captions(const TListItems& items)
{
    std::vector<std::string> captions;
    for (int i = 0; i < items.Count(); ++i)
        captions.push_back(items.Item(i).Caption());
    return captions;
}
}  // namespace

TEST(TListItems, ReportsEveryChangeToTheViewInOrder)
{
    TListItems items;
    RecordingView view;
    items.SetView(&view);
    view.events.clear();

    TListItem& a = AppendCaptioned(items, "a");
    TListItem& b = AppendCaptioned(items, "b");
    AppendCaptioned(items, "c");
    b.SetCaption("B");
    b.SetImageIndex(1);
    a.SetSelected(true);
    items.Delete(0);
    b.SetSelected(true);  // b has moved to position 0
    items.Clear();

    const std::vector<std::string> expected = {"inserted 0", "inserted 1", "inserted 2", "changed 1", "changed 1",
                                               "changed 0",  "removed 0",  "changed 0",  "cleared"};
    EXPECT_EQ(view.events, expected);
    EXPECT_EQ(items.Count(), 0);
}

TEST(TListItems, SettersReportOnlyRealChangesOfInsertedItems)
{
    TListItems items;
    RecordingView view;
    items.SetView(&view);
    view.events.clear();

    auto loose = std::make_unique<TListItem>(items);
    loose->SetCaption("not yet inserted");
    loose->SetImageIndex(1);
    loose->SetSelected(true);
    EXPECT_TRUE(view.events.empty());
    EXPECT_EQ(loose->Index(), -1);

    TListItem& item = items.Append(std::move(loose));
    view.events.clear();
    item.SetCaption("not yet inserted");
    item.SetImageIndex(1);
    item.SetSelected(true);
    EXPECT_TRUE(view.events.empty()) << "same values are no change";
    EXPECT_EQ(item.Caption(), "not yet inserted");
    EXPECT_EQ(item.ImageIndex(), 1);
    EXPECT_TRUE(item.Selected());
}

TEST(TListItems, KeepsPositionsAfterDeletionsAndFindsOnlyItsOwnItems)
{
    TListItems items;
    TListItems others;
    TListItem& a = AppendCaptioned(items, "a");
    TListItem& b = AppendCaptioned(items, "b");
    TListItem& c = AppendCaptioned(items, "c");
    TListItem& foreign = AppendCaptioned(others, "x");
    const TListItem loose(items);

    items.Delete(1);
    EXPECT_EQ(Captions(items), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(a.Index(), 0);
    EXPECT_EQ(c.Index(), 1);
    EXPECT_EQ(items.IndexOf(c), 1);
    EXPECT_EQ(items.IndexOf(foreign), -1);
    EXPECT_EQ(items.IndexOf(loose), -1);
    EXPECT_EQ(&items.Item(1), &c);
    (void)b;  // destroyed by the deletion

    TListItem& d = AppendCaptioned(items, "d");
    EXPECT_EQ(d.Index(), 2);
    EXPECT_EQ(&d.Owner(), &items);
}

TEST(TListItems, RefusesForeignItemsAndPositionsOutOfRange)
{
    TListItems items;
    TListItems others;
    RecordingView view;
    items.SetView(&view);
    view.events.clear();

    EXPECT_THROW(items.Append(std::make_unique<TListItem>(others)), AppError);
    EXPECT_THROW(items.Append(nullptr), AppError);
    AppendCaptioned(items, "only");
    for (int bad : {-1, 1, 100}) {
        EXPECT_THROW(items.Item(bad), AppError) << bad;
        EXPECT_THROW(items.Delete(bad), AppError) << bad;
    }
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(view.events, std::vector<std::string>{"inserted 0"});
}

TEST(TListItems, BringsANewViewUpToDateAndStopsReportingWhenDetached)
{
    TListItems items;
    AppendCaptioned(items, "a");
    AppendCaptioned(items, "b");

    RecordingView view;
    items.SetView(&view);
    EXPECT_EQ(view.events, (std::vector<std::string>{"cleared", "inserted 0", "inserted 1"}));

    items.SetView(nullptr);
    items.Item(0).SetCaption("changed");
    items.Delete(1);
    items.Clear();
    EXPECT_EQ(view.events.size(), 3u);
}

TEST(TListItems, DestroysItsItemsWhenDeletedClearedOrDestroyed)
{
    static int alive = 0;
    struct Counted : TListItem {
        explicit Counted(TListItems& owner) : TListItem(owner) { ++alive; }
        ~Counted() override { --alive; }
    };
    {
        TListItems items;
        for (int i = 0; i < 4; ++i)
            items.Append(std::make_unique<Counted>(items));
        items.Delete(2);
        EXPECT_EQ(alive, 3);
        items.Clear();
        EXPECT_EQ(alive, 0);
        items.Append(std::make_unique<Counted>(items));
        items.Append(std::make_unique<Counted>(items));
    }
    EXPECT_EQ(alive, 0);
}
