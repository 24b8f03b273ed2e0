#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Files.h"
#include "support/TempFolder.h"

namespace revuro::testing {

// A fresh folder to make paths in, and the kind of problem the player's check finds with one.
class MediaPathProblemFixture : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    // The kind of the problem with `path`, checking that it names the path; nothing if none.
    static std::optional<ErrorKind> Problem(const std::string& path) {
        const std::optional<Error> problem = MediaPathProblem(path);
        if (!problem) return std::nullopt;
        EXPECT_EQ(problem->path, path);
        return problem->kind;
    }

    TempFolder folder;
};

}  // namespace revuro::testing
