// The end-to-end cases that apply to the Windows program too, listed once in
// windows_cases.cpp: whole tests, and rows of a test's case table. When the
// runner drives the Windows program (WATERFALL_E2E_PLATFORM=windows), every
// test with nothing listed is skipped before it starts. On every platform a
// listed row its test never asks about (a renamed label) fails that test.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// "Suite.Test" for a whole test, "Suite.Test/row label" for one row of its table.
const std::vector<std::string>& windowsCases();

// Whether row `label` of the running test's case table applies to the
// program under test: every row for the Linux program, the listed ones for
// the Windows program.
bool rowApplies(const std::string& label);

}  // namespace e2e
