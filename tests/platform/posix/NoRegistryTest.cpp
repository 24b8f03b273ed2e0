#include "platform/posix/NoRegistry.h"

#include <gtest/gtest.h>

namespace revuro {
namespace {

TEST(NoRegistry, NoKeyCanBeOpened) {
    NoRegistry registry;
    const auto key = registry.OpenKey(kHkeyLocalMachine, "SOFTWARE", kKeyRead);
    ASSERT_FALSE(key.ok());
    EXPECT_EQ(key.error().reason, "this system has no registry");
    EXPECT_EQ(key.error().path, "SOFTWARE");
}

}  // namespace
}  // namespace revuro
