// The line index: lookups by number and numbers of lines stay right through random
// inserts and erases, checked against a plain list of the same lines.
#include "editor/line_buffer.h"

#include <gtest/gtest.h>

#include <random>

namespace editor {
namespace {

// Every line found by its number and every line's number, the links both ways, the ends.
void ExpectMatches(const LineBuffer& buffer, const std::vector<std::string>& model) {
    ASSERT_EQ(buffer.count(), static_cast<int>(model.size()));
    const EditLine* previous = nullptr;
    int number = 1;
    for (const EditLine* line = buffer.first(); line; line = line->next, ++number) {
        ASSERT_EQ(line->prev, previous);
        ASSERT_EQ(line->text, model[static_cast<size_t>(number - 1)]);
        ASSERT_EQ(static_cast<int>(line->number), number);
        ASSERT_EQ(buffer.at(number), line);
        previous = line;
    }
    ASSERT_EQ(number - 1, buffer.count());
    ASSERT_EQ(buffer.last(), previous);
}

TEST(EditorLineBuffer, RandomInsertsAndErasesKeepNumbersRight) {
    std::mt19937 random(2024);
    auto pick = [&](int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); };
    LineBuffer buffer;
    std::vector<std::string> model;
    int made = 0;
    for (int step = 0; step < 3000; ++step) {
        int count = static_cast<int>(model.size());
        if (count == 0 || pick(5) < 3) {
            // Insert one or several lines after a random line, or in front.
            int after = pick(count + 1);
            std::vector<std::string> lines(static_cast<size_t>(pick(4) == 0 ? 1 + pick(40) : 1));
            for (std::string& text : lines) text = std::to_string(made++);
            EditLine* anchor = after == 0 ? nullptr : buffer.at(after);
            EditLine* last = buffer.InsertAfter(anchor, lines);
            model.insert(model.begin() + after, lines.begin(), lines.end());
            ASSERT_EQ(static_cast<int>(last->number), after + static_cast<int>(lines.size()));
        } else {
            int from = 1 + pick(count);
            int to = std::min(count, from + (pick(4) == 0 ? pick(30) : 0));
            buffer.Erase(buffer.at(from), buffer.at(to));
            model.erase(model.begin() + from - 1, model.begin() + to);
        }
        if (step % 50 == 0) ExpectMatches(buffer, model);
    }
    ExpectMatches(buffer, model);
    // Numbers outside the text give its ends.
    ASSERT_FALSE(model.empty());
    EXPECT_EQ(buffer.at(0), buffer.first());
    EXPECT_EQ(buffer.at(buffer.count() + 5), buffer.last());
}

TEST(EditorLineBuffer, AssignKeepsOneLineAndClearEmpties) {
    LineBuffer buffer;
    EXPECT_EQ(buffer.at(1), nullptr);
    buffer.Assign({});
    ExpectMatches(buffer, {""});
    std::vector<std::string> many;
    for (int i = 0; i < 100000; ++i) many.push_back(std::to_string(i));
    buffer.Assign(many);
    EXPECT_EQ(buffer.at(99000)->text, "98999");
    EXPECT_EQ(static_cast<int>(buffer.at(77777)->number), 77777);
    buffer.Erase(buffer.first(), buffer.at(50000));
    EXPECT_EQ(buffer.first()->text, "50000");
    EXPECT_EQ(static_cast<int>(buffer.last()->number), 50000);
    buffer.Clear();
    EXPECT_EQ(buffer.count(), 0);
    EXPECT_EQ(buffer.first(), nullptr);
    EditLine detached;
    EXPECT_EQ(static_cast<int>(detached.number), 1);  // a line of no buffer
}

}  // namespace
}  // namespace editor
