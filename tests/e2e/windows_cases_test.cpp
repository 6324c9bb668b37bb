// The Windows case list names only tests that exist: a renamed test would
// otherwise drop out of the Windows run without a word.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/e2e/windows_cases.h"

namespace {

TEST(WindowsCases, NameOnlyTestsThatExist) {
    std::set<std::string> tests;
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    for (int s = 0; s < unit.total_test_suite_count(); ++s) {
        const testing::TestSuite& suite = *unit.GetTestSuite(s);
        for (int t = 0; t < suite.total_test_count(); ++t) {
            tests.insert(std::string(suite.name()) + "." + suite.GetTestInfo(t)->name());
        }
    }
    for (const std::string& listed : e2e::windowsCases()) {
        EXPECT_EQ(tests.count(listed.substr(0, listed.find('/'))), 1u) << listed;
    }
}

}  // namespace
