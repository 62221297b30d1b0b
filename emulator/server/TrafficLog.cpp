#include "TrafficLog.h"

#include "LightingWords.h"

#include "device/CommandFrame.h"
#include "device/CommandSet.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace lumeno {
namespace {

enum class Format { Dec, Hex, Dpi };

struct Field {
    const char* name;
    int byte; // frame byte 1..6
    Format format;
};

struct CommandInfo {
    uint8_t code;
    const char* name;
    std::vector<Field> fields;
    int blockChunksByte; // frame byte with the chunk count of a block; 0 = no block
};

// What each frame byte means, per command code.
const std::vector<CommandInfo>& Commands()
{
    static const std::vector<CommandInfo> table = {
        {kSetReportRate,
         "SetReportRate",
         {{"rate", 1, Format::Hex}, {"state1", 2, Format::Hex}, {"state2", 3, Format::Hex}, {"state3", 4, Format::Hex}},
         0},
        {kGetReportRate, "GetReportRate", {}, 0},
        {kSetButtonMap, "SetButtonMap", {{"block", 2, Format::Dec}, {"chunks", 3, Format::Dec}}, 3},
        {kSetMacro, "SetMacro", {{"block", 2, Format::Dec}, {"chunks", 3, Format::Dec}}, 3},
        {kSetLightingEffect,
         "SetLightingEffect",
         {{"effect", 1, Format::Dec}, {"color", 2, Format::Dec}, {"level", 3, Format::Hex}, {"speed", 4, Format::Dec}},
         0},
        {kSetDpiStagesLow,
         "SetDpiStagesLow",
         {{"stage", 1, Format::Dec},
          {"mask", 2, Format::Hex},
          {"dpi1", 3, Format::Dpi},
          {"dpi2", 4, Format::Dpi},
          {"dpi3", 5, Format::Dpi},
          {"dpi4", 6, Format::Dpi}},
         0},
        {kSetDpiStagesHigh,
         "SetDpiStagesHigh",
         {{"dpi5", 1, Format::Dpi}, {"dpi6", 2, Format::Dpi}, {"dpi7", 3, Format::Dpi}},
         0},
        {kGetCurrentDpiStage, "GetCurrentDpiStage", {}, 0},
        {kSetStageColors, "SetStageColors", {{"block", 2, Format::Dec}, {"chunks", 3, Format::Dec}}, 3},
        {kSetAxisSensitivity, "SetAxisSensitivity", {{"x", 1, Format::Dec}, {"y", 2, Format::Dec}}, 0},
        {kSetLightingBlock, "SetLightingBlock", {{"block", 2, Format::Dec}, {"chunks", 3, Format::Dec}}, 3},
        {kGetLightingBlock, "GetLightingBlock", {{"block", 2, Format::Dec}, {"chunks", 3, Format::Dec}}, 3},
        {kSetLiftOff, "SetLiftOff", {{"level", 1, Format::Dec}}, 0},
    };
    return table;
}

const CommandInfo* Find(uint8_t code)
{
    for (const auto& c : Commands())
        if (c.code == code)
            return &c;
    return nullptr;
}

std::array<uint8_t, 8> FrameOf(std::span<const uint8_t> report)
{
    std::array<uint8_t, 8> frame{};
    for (std::size_t i = 0; i < 8 && i + 1 < report.size(); ++i)
        frame[i] = report[i + 1];
    return frame;
}

} // namespace

const char* TrafficLog::CollectionName(MouseCollection collection)
{
    switch (collection) {
    case MouseCollection::Commands:
        return "Commands";
    case MouseCollection::Events:
        return "Events";
    case MouseCollection::Dongle:
        return "Dongle";
    }
    return "?";
}

std::string TrafficLog::Hex(std::span<const uint8_t> bytes)
{
    std::string s = "[";
    char b[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(b, sizeof b, i ? " %02x" : "%02x", bytes[i]);
        s += b;
    }
    return s + "]";
}

std::string TrafficLog::DecodeFrame(std::span<const uint8_t, 8> frame)
{
    std::string line;
    char text[48];
    if (const CommandInfo* info = Find(frame[0])) {
        line = info->name;
        for (const auto& f : info->fields) {
            const uint8_t v = frame[static_cast<std::size_t>(f.byte)];
            switch (f.format) {
            case Format::Dec:
                std::snprintf(text, sizeof text, " %s=%u", f.name, v);
                break;
            case Format::Hex:
                std::snprintf(text, sizeof text, " %s=0x%02x", f.name, v);
                break;
            case Format::Dpi:
                std::snprintf(text, sizeof text, " %s=%u", f.name, (v + 1u) * 100u);
                break;
            }
            line += text;
        }
    } else {
        std::snprintf(text, sizeof text, "Unknown code=0x%02x", frame[0]);
        line = text;
    }
    line += " " + Hex(frame);
    if (!FrameChecksumValid(
            std::array<uint8_t, 8>{frame[0], frame[1], frame[2], frame[3], frame[4], frame[5], frame[6], frame[7]}))
        line += " checksum=bad";
    return line;
}

std::string TrafficLog::SetFeature(MouseCollection collection, std::span<const uint8_t> report, bool accepted)
{
    std::lock_guard lock(mutex_);
    std::string line;
    if (collection == MouseCollection::Commands && report.size() >= 9) {
        const auto frame = FrameOf(report);
        line = "frame " + DecodeFrame(frame);
        if (frame[0] == kSetLightingEffect) {
            // What the light now shows, before the bytes.
            line.insert(line.find(" ["),
                        ": " + LightingWords(std::span<const uint8_t, 6>(frame.data() + 1, 6), lightingColour_));
        }
        const CommandInfo* info = Find(frame[0]);
        lastCommand_ = info ? info->name : "Unknown";
        if (info && info->blockChunksByte) {
            blockName_ = info->name;
            blockNumber_ = frame[2];
            chunksExpected_ = frame[static_cast<std::size_t>(info->blockChunksByte)];
            chunksSeen_ = 0;
        }
    } else {
        line = std::string("feature ") + CollectionName(collection) + " " + Hex(report);
    }
    return accepted ? line : line + " refused";
}

std::string TrafficLog::GetFeature(MouseCollection collection, std::span<const uint8_t> reply, bool ok)
{
    std::lock_guard lock(mutex_);
    std::string line = collection == MouseCollection::Commands && reply.size() >= 9
                           ? "reply " + lastCommand_ + " " + Hex(FrameOf(reply))
                           : std::string("reply ") + CollectionName(collection) + " " + Hex(reply);
    return ok ? line : line + " refused";
}

std::string TrafficLog::ChunkLine(const char* kind, std::span<const uint8_t> report)
{
    ++chunksSeen_;
    char head[96];
    std::snprintf(head, sizeof head, "%s %s block=%d %d/%d ", kind, blockName_.c_str(), blockNumber_, chunksSeen_,
                  chunksExpected_);
    return head + Hex(report.size() > 1 ? report.subspan(1) : report);
}

std::string TrafficLog::Output(MouseCollection collection, std::span<const uint8_t> report, bool accepted)
{
    std::lock_guard lock(mutex_);
    if (collection == MouseCollection::Commands && blockName_ == "SetLightingBlock" && chunksSeen_ == 0 &&
        report.size() > lightingColour_.size())
        std::copy_n(report.begin() + 1, lightingColour_.size(), lightingColour_.begin());
    std::string line = collection == MouseCollection::Commands
                           ? ChunkLine("chunk", report)
                           : std::string("output ") + CollectionName(collection) + " " + Hex(report);
    return accepted ? line : line + " refused";
}

std::string TrafficLog::Input(MouseCollection collection, std::span<const uint8_t> report)
{
    std::lock_guard lock(mutex_);
    if (collection == MouseCollection::Commands)
        return ChunkLine("input", report);
    if (collection == MouseCollection::Events && report.size() >= 4 && report[0] == VirtualMouse::kEventReportId &&
        report[1] == 1)
        return "event DpiStageChanged stage=" + std::to_string(VirtualMouse::StageNumber(report[3])) + " " +
               Hex(report);
    return std::string("event ") + CollectionName(collection) + " " + Hex(report);
}

std::vector<std::string> TrafficLog::StateLines(const VirtualMouseState& s, bool plugged)
{
    std::vector<std::string> lines;
    auto add = [&](const std::string& key, const std::string& value) { lines.push_back("state " + key + " " + value); };
    add("plugged", plugged ? "1" : "0");
    add("reportRate", Hex(s.reportRate));
    add("currentStage", std::to_string(VirtualMouse::StageNumber(s.currentStage)));
    // Stage 8 has no DPI of its own.
    add("currentDpi", s.currentStage < s.stageDpi.size() ? std::to_string((s.stageDpi[s.currentStage] + 1u) * 100u)
                                                         : std::string("none"));
    char mask[8];
    std::snprintf(mask, sizeof mask, "0x%02x", s.stageEnableMask);
    add("stageEnableMask", mask);
    std::string dpi;
    for (std::size_t i = 0; i < s.stageDpi.size(); ++i)
        dpi += (i ? "," : "") + std::to_string((s.stageDpi[i] + 1u) * 100u);
    add("stageDpi", dpi);
    add("stageColors", Hex(std::span(s.stageColors).first(21)));
    add("sensitivity", std::to_string(s.sensitivityX) + "," + std::to_string(s.sensitivityY));
    add("lightingEffect", Hex(s.lightingEffect));
    add("lightingBlock", Hex(std::span(s.lightingBlock).first(24)));
    add("lighting", LightingShown(s));
    add("liftOffLevel", std::to_string(s.liftOffLevel));
    add("buttonMap", Hex(s.buttonMap));
    for (std::size_t k = 0; k < s.macroBlocks.size(); ++k)
        add("macro" + std::to_string(k), Hex(std::span(s.macroBlocks[k]).first(130)));
    lines.push_back("state end");
    return lines;
}

} // namespace lumeno
