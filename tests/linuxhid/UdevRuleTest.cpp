// The shipped udev rule names the mouse the program looks for.
#include "device/DeviceConnection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <string>

namespace lumeno {
namespace {

TEST(UdevRule, GivesTheSeatUserTheMousesHidrawNodes)
{
    std::ifstream in(LUMENO_UDEV_RULE_PATH);
    ASSERT_TRUE(in) << LUMENO_UDEV_RULE_PATH;
    char ids[32];
    std::snprintf(ids, sizeof ids, "*:%04X:%04X.*", kMouseVendorId, kMouseProductId);
    // KEY=="value" / KEY+="value" pairs, comma separated.
    const std::regex pair(R"re(\s*([A-Z]+(\{[^}]*\})?)\s*(==|!=|\+=|=)\s*"([^"]*)"\s*)re");
    int rules = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        ++rules;
        bool hidraw = false, mouse = false, uaccess = false;
        std::size_t start = 0;
        while (start < line.size()) {
            const auto comma = line.find(',', start);
            const std::string item = line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            std::smatch m;
            ASSERT_TRUE(std::regex_match(item, m, pair)) << "not a udev match or assignment: " << item;
            hidraw |= m[1] == "SUBSYSTEM" && m[4] == "hidraw";
            mouse |= m[1] == "KERNELS" && m[4] == ids;
            uaccess |= m[1] == "TAG" && m[3] == "+=" && m[4] == "uaccess";
            start = comma == std::string::npos ? line.size() : comma + 1;
        }
        EXPECT_TRUE(hidraw && mouse && uaccess) << line;
    }
    EXPECT_EQ(rules, 1);
}

} // namespace
} // namespace lumeno
