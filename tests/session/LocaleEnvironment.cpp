// The tests run under the process locale taken from the environment, as the player does once
// its application object exists. RAVO_EXPECT_LOCALE names the locale a run must really have.
#include <gtest/gtest.h>

#include <QLocale>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const bool g_localeFromEnvironment = std::setlocale(LC_ALL, "") != nullptr;

} // namespace

TEST(TestLocale, RequestedLocaleIsInEffect)
{
    const char* expected = std::getenv("RAVO_EXPECT_LOCALE");
    if (expected == nullptr) {
        GTEST_SKIP() << "no particular locale requested";
    }
    ASSERT_TRUE(g_localeFromEnvironment) << "locale " << expected << " is not installed";
    const std::string active = std::setlocale(LC_ALL, nullptr);
    EXPECT_EQ(active, expected);
    const std::string language = std::string(expected).substr(0, 2);
    EXPECT_EQ(QLocale::system().name().left(2).toStdString(), language);
    if (language == "fr") {
        // The point of this run: the C library and Qt's system locale write a decimal comma.
        EXPECT_STREQ(std::localeconv()->decimal_point, ",");
        EXPECT_EQ(QLocale::system().decimalPoint(), QStringLiteral(","));
    }
}
