#include "platform/InstanceLock.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/TempFolder.h"

namespace revuro {
namespace {

TEST(InstanceLockTest, OnlyTheFirstOfSeveralHoldersIsAloneAndTheLastToGoFreesIt) {
    const testing::TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::string name = folder.File("revuro.lock");
    auto first = std::make_unique<InstanceLock>(name);
    EXPECT_FALSE(first->AnotherInstanceRunning());
    auto second = std::make_unique<InstanceLock>(name);
    EXPECT_TRUE(second->AnotherInstanceRunning());
    first.reset();
    EXPECT_TRUE(InstanceLock(name).AnotherInstanceRunning());  // the second one still runs
    second.reset();
    EXPECT_FALSE(InstanceLock(name).AnotherInstanceRunning());
    EXPECT_FALSE(InstanceLock(folder.File("other.lock")).AnotherInstanceRunning());
}

}  // namespace
}  // namespace revuro
