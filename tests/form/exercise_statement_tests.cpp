#include "form/exercise_statement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Counts characters as a person does, not UTF-8 bytes.
std::size_t characters(std::string_view text) {
    std::size_t count = 0;
    for (unsigned char byte : text)
        if ((byte & 0xC0u) != 0x80u) ++count;
    return count;
}

std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> result;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string_view::npos) {
            result.emplace_back(text.substr(at));
            break;
        }
        result.emplace_back(text.substr(at, end - at));
        at = end + 2;
    }
    return result;
}

TEST(ExerciseStatement, Is709CharactersIn23LinesEachEndedByCrLf) {
    const std::string_view text = quenlor::exercise_statement;
    EXPECT_EQ(characters(text), 709u);
    EXPECT_TRUE(text.ends_with("\r\n"));

    const std::vector<std::string> all = lines(text);
    ASSERT_EQ(all.size(), 23u);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool empty = i == 12 || i == 21;
        EXPECT_EQ(all[i].empty(), empty) << "line " << i + 1;
        EXPECT_EQ(all[i].find_first_of("\r\n"), std::string::npos)
            << "a bare CR or LF in line " << i + 1;
    }
    EXPECT_EQ(all[2], "а) Лоша новина");
    EXPECT_EQ(all[19], "Отстъпка/промоция");
}

} // namespace
