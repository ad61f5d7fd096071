#include "store/regional_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Restores an environment variable when the test ends.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old, had_ = true;
        setenv(name, value, 1);
    }
    ~ScopedEnv()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(RegionalSettings, CzechDefaultsWithoutLeadingZeros)
{
    ScopedEnv date("LODGERA_SHORT_DATE", "");
    ScopedEnv time("LODGERA_LONG_TIME", "");
    EXPECT_EQ(RegionalSettings::dateText(QDate(2026, 3, 5)), QStringLiteral("5.3.2026"));
    EXPECT_EQ(RegionalSettings::timeText(QTime(7, 4, 9)), QStringLiteral("7:04:09"));
    EXPECT_EQ(RegionalSettings::dateTimeText(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 0))),
              QStringLiteral("31.12.2026 23:59:00"));
}

TEST(RegionalSettings, EnvironmentOverridesFormats)
{
    ScopedEnv date("LODGERA_SHORT_DATE", "yyyy-MM-dd");
    ScopedEnv time("LODGERA_LONG_TIME", "HH:mm");
    EXPECT_EQ(RegionalSettings::dateText(QDate(2026, 3, 5)), QStringLiteral("2026-03-05"));
    EXPECT_EQ(RegionalSettings::timeText(QTime(7, 4, 9)), QStringLiteral("07:04"));
}

} // namespace
