#pragma once
// Compares two long texts (a .lab file, a saved one against the model's) and, when they
// differ, says where: the first line that differs, both ways, instead of two pages of
// bytes. Use as EXPECT_TRUE(same_lines(got, expected)).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

inline testing::AssertionResult same_lines(std::string_view got, std::string_view expected) {
  if (got == expected)
    return testing::AssertionSuccess();
  const size_t common = static_cast<size_t>(
      std::mismatch(got.begin(), got.end(), expected.begin(), expected.end()).first - got.begin());
  const size_t newline = got.rfind('\n', common == 0 ? 0 : common - 1);
  const size_t start = newline == std::string_view::npos || common == 0 ? 0 : newline + 1;
  const auto line_of = [start](std::string_view text) {
    if (start >= text.size())
      return std::string("(end of text)");
    const size_t end = text.find('\n', start);
    std::string l(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (!l.empty() && l.back() == '\r')
      l.pop_back();
    return "\"" + l + "\"";
  };
  const auto number = 1 + std::count(got.begin(), got.begin() + static_cast<long>(start), '\n');
  return testing::AssertionFailure()
         << "texts differ from line " << number << " (" << got.size() << " bytes against "
         << expected.size() << ")\n  got:      " << line_of(got)
         << "\n  expected: " << line_of(expected);
}
