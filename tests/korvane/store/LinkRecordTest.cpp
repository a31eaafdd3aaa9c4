#include "LinkRecord.h"
#include <gtest/gtest.h>
#include <cstddef>

TEST(LinkRecord, FieldOffsets) {
    EXPECT_EQ(offsetof(TLinkRecord, Url), 256u);
    EXPECT_EQ(offsetof(TLinkRecord, Date), 512u);
    EXPECT_EQ(offsetof(TLinkRecord, ItemType), 516u);
}
