// Every test program links this file. When VELMO_TEST_LOCALE names a locale
// (CTest sets it, with LC_ALL, for the second run of the core and window
// tests under a comma-decimal locale), the program adopts it before the first
// test, as the windows adopt the user's locale. A locale that is not
// installed, or whose decimal mark is not a comma, ends the program with an
// error before any test: the second run must never pass quietly under "C".
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace {

class CommaLocale : public ::testing::Environment {
public:
    void SetUp() override {
        const char* name = std::getenv("VELMO_TEST_LOCALE");
        if (!name || !*name) return;
        std::string problem;
        if (!std::setlocale(LC_ALL, name))
            problem = "is not installed (scripts/setup.sh generates it with localedef)";
        else if (std::string(std::localeconv()->decimal_point) != ",")
            problem = "does not write decimals with a comma";
        if (problem.empty()) return;
        std::fprintf(stderr, "VELMO_TEST_LOCALE: the locale %s %s\n", name, problem.c_str());
        std::exit(1);
    }
};

[[maybe_unused]] ::testing::Environment* const kCommaLocale = ::testing::AddGlobalTestEnvironment(new CommaLocale);

}  // namespace
