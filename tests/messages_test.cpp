#include "form/messages.h"

#include <gtest/gtest.h>

namespace tamirel {
namespace {

TEST(Format, FillsEveryPlaceByName) {
    const struct {
        std::string_view pattern;
        std::initializer_list<Place> places;
        std::string expected;
    } cases[] = {
        {"Стъпка {step} от {count}", {{"count", "12"}, {"step", "3"}}, "Стъпка 3 от 12"},
        {"({n} − 2)·180° : {n}", {{"n", "7"}}, "(7 − 2)·180° : 7"},
        {"{a}{b}", {{"a", "A₁"}, {"b", "O"}}, "A₁O"},
        // A value is text: its braces are not places.
        {"„{name}“", {{"name", "{x}"}}, "„{x}“"},
        // A translation may leave a value out.
        {"Квадрат", {{"name", "квадрат"}}, "Квадрат"},
        {"", {}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.pattern, c.places), c.expected) << c.pattern;
}

TEST(Format, RefusesAPlaceItCannotFill) {
    for (const std::string_view pattern : {"Стъпка {step} от {count}", "{step", "{}", "{step }", "step}", "{{step}}"})
        EXPECT_THROW(Format(pattern, {{"step", "3"}}), MessageError) << pattern;
}

}  // namespace
}  // namespace tamirel
