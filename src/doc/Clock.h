#pragma once
// The wall clock, behind an interface so that tests and the command line can set "now".

#include "doc/TimeValue.h"

namespace tallymo {

class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeValue Now() const = 0;
};

class SystemClock final : public Clock {
public:
    TimeValue Now() const override;
    static const SystemClock& Instance();
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(TimeValue now) : m_now(now) {}
    TimeValue Now() const override { return m_now; }
    void Set(TimeValue now) { m_now = now; }

private:
    TimeValue m_now;
};

}  // namespace tallymo
