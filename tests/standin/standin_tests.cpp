#include "standin_control.h"

#include <gtest/gtest.h>

TEST(Standin, Placeholder) {
    EXPECT_FALSE(StandinDirectory().empty());
}
