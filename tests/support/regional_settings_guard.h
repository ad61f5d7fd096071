#pragma once
// Pins the regional short date and long time formats for the guard's lifetime (d.M.yyyy and
// H:mm:ss unless told otherwise) and restores the environment afterwards.

#include <QByteArray>

#include <cstdlib>

class ScopedRegionalSettings
{
public:
    explicit ScopedRegionalSettings(const char* shortDate = "d.M.yyyy", const char* longTime = "H:mm:ss")
        : date_(save("LODGERA_SHORT_DATE")), time_(save("LODGERA_LONG_TIME"))
    {
        setenv("LODGERA_SHORT_DATE", shortDate, 1);
        setenv("LODGERA_LONG_TIME", longTime, 1);
    }
    ~ScopedRegionalSettings()
    {
        restore("LODGERA_SHORT_DATE", date_);
        restore("LODGERA_LONG_TIME", time_);
    }
    ScopedRegionalSettings(const ScopedRegionalSettings&) = delete;
    ScopedRegionalSettings& operator=(const ScopedRegionalSettings&) = delete;

private:
    struct Saved
    {
        bool set;
        QByteArray value;
    };
    static Saved save(const char* name)
    {
        const char* value = std::getenv(name);
        return {value != nullptr, value ? QByteArray(value) : QByteArray()};
    }
    static void restore(const char* name, const Saved& saved)
    {
        if (saved.set)
            setenv(name, saved.value.constData(), 1);
        else
            unsetenv(name);
    }

    Saved date_;
    Saved time_;
};
