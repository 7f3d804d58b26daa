#include <gtest/gtest.h>

#include <sstream>

#include "tools/unit/event_json.h"
#include "tools/unit/led_display.h"
#include "tools/unit/options.h"

namespace lumi::unit {
namespace {

using namespace std::chrono_literals;

Event frame_event(std::uint8_t first, std::uint8_t second) {
  return Event{EventKind::frame, decode_frame(first, second), {first, second}};
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t found = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
    ++found;
  return found;
}

TEST(EventJson, WritesOneObjectPerEvent) {
  EXPECT_EQ(to_json(frame_event(0x55, 0xAA)),
            R"({"event":"frame","bytes":[85,170],"leds":[1,0,1,0,1,0,1,0,1,0,1,0,1,0]})");
  EXPECT_EQ(to_json(frame_event(0x00, 0xC0)),
            R"({"event":"frame","bytes":[0,192],"leds":[0,0,0,0,0,0,0,0,0,0,0,0,0,1]})");
  EXPECT_EQ(to_json(Event{EventKind::probe, {}, {'A', 'T', '\r', '\n'}}), R"({"event":"probe"})");
  EXPECT_EQ(to_json(Event{EventKind::dropped, {}, {65, 128}}), R"({"event":"dropped","bytes":[65,128]})");
}

TEST(LedDisplay, PlainOutputIsOneLinePerEvent) {
  std::ostringstream out;
  LedDisplay display(out, false, Layout::one_line);
  auto start = LedDisplay::Clock::now();
  display.show(Event{EventKind::probe, {}, {'A', 'T', '\r', '\n'}}, start);
  display.show(frame_event(0x55, 0xAA), start);
  display.show(Event{EventKind::dropped, {}, {0x41, 0x80}}, start);
  display.show(frame_event(0x7F, 0x80), start + 1s);
  display.refresh(start + 5s);
  display.finish();
  EXPECT_EQ(out.str(),
            "probe: AT\n"
            "frame 1: 55 AA  01-07 ●○●○●○● 08-14 ○●○●○●○\n"
            "dropped: 41 80\n"
            "frame 2: 7F 80  01-07 ●●●●●●● 08-14 ○○○○○○○\n");
  EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
  EXPECT_EQ(display.frames(), 2U);
}

TEST(LedDisplay, InteractiveBlockIsRedrawnInPlace) {
  for (Layout layout : {Layout::one_line, Layout::two_rows}) {
    const int height = layout == Layout::one_line ? 4 : 6;
    SCOPED_TRACE(height);
    std::ostringstream out;
    LedDisplay display(out, true, layout);
    auto start = LedDisplay::Clock::now();
    display.refresh(start);
    std::string first = out.str();
    EXPECT_EQ(count(first, "\n"), static_cast<std::size_t>(height));
    for (const char* number : {"01", "07", "08", "14"}) EXPECT_NE(first.find(number), std::string::npos);
    EXPECT_EQ(count(first, "\x1b[2m○"), 14U);
    EXPECT_NE(first.find("frames 0"), std::string::npos);

    out.str("");
    display.show(frame_event(0x01, 0xC0), start);
    std::string second = out.str();
    // Back to the top of the old block, cleared, drawn again with №01 and №14 red.
    EXPECT_EQ(second.rfind("\x1b[" + std::to_string(height) + "A\r\x1b[J", 0), 0U);
    EXPECT_EQ(count(second, "\x1b[1;31m●"), 2U);
    EXPECT_EQ(count(second, "\x1b[2m○"), 12U);

    out.str("");
    display.show(Event{EventKind::probe, {}, {'A', 'T', '\r', '\n'}}, start + 1s);
    display.refresh(start + 2500ms);
    std::string third = out.str();
    EXPECT_NE(third.find("\x1b[J"
                         "probe: AT\n"),
              std::string::npos);
    EXPECT_NE(third.find("frames 1  last 2.5 s ago"), std::string::npos);
    EXPECT_NE(third.find("probes 1  dropped 0 B"), std::string::npos);
  }
}

TEST(LedDisplay, ElapsedTimeReadsNaturally) {
  EXPECT_EQ(format_elapsed(-3s), "0.0 s");
  EXPECT_EQ(format_elapsed(400ms), "0.4 s");
  EXPECT_EQ(format_elapsed(59999ms), "59.9 s");
  EXPECT_EQ(format_elapsed(60s), "1 min 00 s");
  EXPECT_EQ(format_elapsed(3599s), "59 min 59 s");
  EXPECT_EQ(format_elapsed(3h + 5min + 9s), "3 h 05 min");
}

std::optional<Options> parse(std::vector<std::string> args, std::string* error_out = nullptr) {
  std::string error;
  auto options = parse_options(args, error);
  if (error_out) *error_out = error;
  if (!options) {
    EXPECT_FALSE(error.empty());
  }
  return options;
}

TEST(Options, AcceptsTheDocumentedForms) {
  auto defaults = parse({});
  ASSERT_TRUE(defaults);
  EXPECT_FALSE(defaults->json);
  EXPECT_EQ(defaults->baud, 9600U);
  EXPECT_TRUE(defaults->device.empty());

  auto full = parse({"--json", "--baud", "115200", "--rows=2", "/dev/ttyUSB0"});
  ASSERT_TRUE(full);
  EXPECT_TRUE(full->json);
  EXPECT_EQ(full->baud, 115200U);
  EXPECT_EQ(full->rows, 2);
  EXPECT_EQ(full->device, "/dev/ttyUSB0");

  auto linked = parse({"--link", "build/ports/COM1", "--baud=14400"});
  ASSERT_TRUE(linked);
  EXPECT_EQ(linked->link, "build/ports/COM1");
  EXPECT_EQ(linked->baud, 14400U);

  auto dashed = parse({"--", "-odd-name"});
  ASSERT_TRUE(dashed);
  EXPECT_EQ(dashed->device, "-odd-name");
}

TEST(Options, RejectsMistakesWithAReason) {
  const std::vector<std::vector<std::string>> wrong = {
      {"--baud"},       {"--baud", "fast"}, {"--baud", "0"},      {"--baud", "99999999999999999999999"},
      {"--baud", "-5"}, {"--rows", "3"},    {"--link"},           {"--link", ""},
      {"--verbose"},    {"--json=1"},       {"/dev/a", "/dev/b"}, {"--link", "x", "/dev/ttyS0"},
  };
  for (const auto& args : wrong) {
    SCOPED_TRACE(args.front());
    EXPECT_FALSE(parse(args));
  }
}

}  // namespace
}  // namespace lumi::unit
