#pragma once
// A desktop that records every pointer setting it is given, in order, and
// refuses the ones a test names.
#include "platform/PointerSettingsSink.h"

#include <set>
#include <string>
#include <vector>

namespace lumeno::test {

class RecordingPointerSink final : public PointerSettingsSink {
public:
    std::string_view Name() const override { return "recording"; }
    PointerSinkResult SetPrecision(bool on) override { return Take("precision", on ? 1 : 0); }
    PointerSinkResult SetSpeed(int speed) override { return Take("speed", speed); }
    PointerSinkResult SetWheelLines(int lines) override { return Take("wheel", lines); }
    PointerSinkResult SetDoubleClickTime(int ms) override { return Take("double-click", ms); }

    // "speed=20", in the order they came.
    std::vector<std::string> calls;
    std::set<std::string> refuse; // setting names to refuse

private:
    PointerSinkResult Take(const std::string& name, int value)
    {
        calls.push_back(name + "=" + std::to_string(value));
        if (refuse.contains(name))
            return PointerSinkResult::Refused(name + " refused by the test");
        return PointerSinkResult::Ok();
    }
};

} // namespace lumeno::test
