// The browsers' item record: what a creator stores, bounded texts, view
// flags, and who deletes the attributes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vedrix/model.h>

#include "tracked_attribute.h"

namespace {

using model_test_support::TrackedAttribute;

std::vector<std::string> names(const CObList& list) {
    std::vector<std::string> out;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        out.emplace_back(static_cast<const CAttribData*>(list.GetNext(pos))->getName());
    }
    return out;
}

TEST(TBItemData, CreationStoresWhatIsGivenAndClearsTheRest) {
    TBItemData record(TBItemData::kDrawingFile, TBItemData::kChecked | TBItemData::kFileMissing,
                      70000, 42, nullptr, "6f1c2d3e-aaaa-4bbb-8ccc-123456789abc", 0x1234);
    EXPECT_EQ(record.getType(), 10);
    EXPECT_EQ(record.getNumber(), 4464);  // the low 16 bits of 70000
    EXPECT_EQ(record.getLevelID(), 42u);
    EXPECT_TRUE(record.isChecked());
    EXPECT_FALSE(record.isExpanded());
    EXPECT_TRUE(record.isFileMissing());
    EXPECT_STREQ(record.getIdentifier(), "6f1c2d3e-aaaa-4bbb-8ccc-123456789abc");
    EXPECT_EQ(record.getExtra(), 0x1234u);
    EXPECT_EQ(record.getViewFlags(), 0u);
    EXPECT_STREQ(record.getOriginalIdentifier(), "");
    EXPECT_TRUE(record.getAttributes().IsEmpty());

    TBItemData entry(TBItemData::kDrawingFile, 0, 123456789, 0);
    EXPECT_EQ(entry.getNumber(), 52501);
    EXPECT_STREQ(entry.getIdentifier(), "");
    EXPECT_EQ(entry.getExtra(), 0u);
}

TEST(TBItemData, IdentifierTextsKeepAtMost99Characters) {
    const std::string longText(120, 'x');
    TBItemData record(3, 0, 0, 7, nullptr, longText.c_str());
    EXPECT_EQ(std::string(record.getIdentifier()), std::string(99, 'x'));

    record.setOriginalIdentifier(longText.c_str());
    EXPECT_EQ(std::string(record.getOriginalIdentifier()), std::string(99, 'x'));
    record.setOriginalIdentifier("0");
    EXPECT_STREQ(record.getOriginalIdentifier(), "0");
    record.setIdentifier(nullptr);
    EXPECT_STREQ(record.getIdentifier(), "");
    // Exactly 99 characters fit whole.
    record.setIdentifier(std::string(99, 'y').c_str());
    EXPECT_EQ(std::string(record.getIdentifier()), std::string(99, 'y'));
}

TEST(TBItemData, FlagBitsChangeOneAtATime) {
    TBItemData record(2, TBItemData::kExpanded, 0, 1);
    record.setChecked(true);
    record.setFileMissing(true);
    EXPECT_EQ(record.getFlags(), 7);
    record.setExpanded(false);
    EXPECT_EQ(record.getFlags(), 5);
    record.setChecked(false);
    EXPECT_EQ(record.getFlags(), 4);
}

TEST(TBItemData, ViewFlagsFollowTheirSixOperations) {
    TBItemData view(TBItemData::kView, 0, 0, 5);
    view.markVariant();
    view.setLocked();
    EXPECT_EQ(view.getViewFlags(), TBItemData::kVariantView | TBItemData::kLocked);
    // Original and variant exclude each other; locking stays.
    view.markOriginal();
    EXPECT_EQ(view.getViewFlags(), TBItemData::kOriginalView | TBItemData::kLocked);
    view.markVariant();
    EXPECT_TRUE(view.isVariantView());
    EXPECT_FALSE(view.isOriginalView());
    view.clearLocked();
    view.markInserted();
    EXPECT_EQ(view.getViewFlags(), TBItemData::kVariantView | TBItemData::kInserted);
    view.clearViewFlags();
    EXPECT_EQ(view.getViewFlags(), 0u);
}

TEST(TBItemData, GivenAttributesMoveInAndDieWithTheRecord) {
    std::vector<std::string> destroyed;
    CObList levelList;
    levelList.AddTail(new TrackedAttribute("Area", destroyed));
    levelList.AddTail(new TrackedAttribute("Height", destroyed));
    levelList.AddTail(new TrackedAttribute("Use", destroyed));
    {
        TBItemData record(4, 0, 0, 9, &levelList);
        EXPECT_TRUE(levelList.IsEmpty());
        EXPECT_EQ(names(record.getAttributes()),
                  (std::vector<std::string>{"Area", "Height", "Use"}));
        EXPECT_TRUE(destroyed.empty());
    }
    EXPECT_EQ(destroyed, (std::vector<std::string>{"Area", "Height", "Use"}));
}

TEST(TBItemData, AttributesHandedToALevelOutliveTheRecord) {
    std::vector<std::string> destroyed;
    CObList recordList;
    recordList.AddTail(new TrackedAttribute("Area", destroyed));
    recordList.AddTail(new TrackedAttribute("Use", destroyed));
    Zel_GM_Root root("Project");
    Zel_GM_Level* storey = root.addSublevel(2, 3, 0, "Storey", 0, nullptr);
    storey->getAttributes().AddTail(new TrackedAttribute("Existing", destroyed));
    {
        TBItemData record(2, 0, 0, 3, &recordList);
        record.handAttributesTo(storey->getAttributes());
        EXPECT_TRUE(record.getAttributes().IsEmpty());
    }
    EXPECT_TRUE(destroyed.empty());
    // In front of what the level held, in their own order.
    EXPECT_EQ(names(storey->getAttributes()),
              (std::vector<std::string>{"Area", "Use", "Existing"}));
}

}  // namespace
