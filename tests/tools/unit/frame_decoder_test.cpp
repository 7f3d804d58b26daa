#include "tools/unit/frame_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumi::unit {
namespace {

using Bytes = std::vector<std::uint8_t>;

// "10000000000001": indicators №01 and №14 lit.
LedStates lit(const std::string& pattern) {
  LedStates leds{};
  for (std::size_t i = 0; i < leds.size(); ++i) leds[i] = pattern.at(i) == '1';
  return leds;
}

Event frame(std::uint8_t first, std::uint8_t second, const std::string& pattern) {
  return Event{EventKind::frame, lit(pattern), {first, second}};
}
Event probe() { return Event{EventKind::probe, {}, {'A', 'T', '\r', '\n'}}; }
Event dropped(Bytes bytes) { return Event{EventKind::dropped, {}, std::move(bytes)}; }

std::vector<Event> decode(const Bytes& bytes) {
  FrameDecoder decoder;
  return decoder.feed(bytes);
}

TEST(FrameDecoder, DecodesFramesChannelByChannel) {
  struct Case {
    std::uint8_t first, second;
    const char* pattern;
  };
  const Case cases[] = {
      {0x55, 0xAA, "10101010101010"}, {0x00, 0x80, "00000000000000"}, {0x7F, 0xFF, "11111111111111"},
      {0x01, 0x80, "10000000000000"}, {0x00, 0xC0, "00000000000001"}, {0x40, 0x81, "00000011000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(decode({c.first, c.second}), std::vector<Event>{frame(c.first, c.second, c.pattern)});
  }
  EXPECT_EQ(decode({0x55, 0xAA, 0x7F, 0xFF, 0x00, 0x80}),
            (std::vector<Event>{frame(0x55, 0xAA, "10101010101010"), frame(0x7F, 0xFF, "11111111111111"),
                                frame(0x00, 0x80, "00000000000000")}));
}

TEST(FrameDecoder, RecognisesTheProbeAloneAndBetweenFrames) {
  EXPECT_EQ(decode({'A', 'T', '\r', '\n'}), std::vector<Event>{probe()});
  EXPECT_EQ(decode({'A', 'T', '\r', '\n', 'A', 'T', '\r', '\n'}), (std::vector<Event>{probe(), probe()}));
  EXPECT_EQ(decode({'A', 'T', '\r', '\n', 0x55, 0xAA, 0x01, 0x80}),
            (std::vector<Event>{probe(), frame(0x55, 0xAA, "10101010101010"),
                                frame(0x01, 0x80, "10000000000000")}));
  EXPECT_EQ(decode({0x00, 0xC0, 'A', 'T', '\r', '\n', 0x00, 0x80}),
            (std::vector<Event>{frame(0x00, 0xC0, "00000000000001"), probe(),
                                frame(0x00, 0x80, "00000000000000")}));
}

TEST(FrameDecoder, ProbeCharactersOpenFramesWhenATaggedByteFollows) {
  // 'A', 'T', CR and LF are ordinary first bytes too.
  EXPECT_EQ(decode({'A', 0xC1}), std::vector<Event>{frame('A', 0xC1, "10000011000001")});
  EXPECT_EQ(decode({'T', 0x80}), std::vector<Event>{frame('T', 0x80, "00101010000000")});
  EXPECT_EQ(decode({'\r', 0x80}), std::vector<Event>{frame('\r', 0x80, "10110000000000")});
  EXPECT_EQ(decode({'\n', 0x80}), std::vector<Event>{frame('\n', 0x80, "01010000000000")});
}

TEST(FrameDecoder, BrokenProbeKeepsOnlyItsNewestByteForAFrame) {
  EXPECT_EQ(decode({'A', 'T', 0x80}),
            (std::vector<Event>{dropped({'A'}), frame('T', 0x80, "00101010000000")}));
  EXPECT_EQ(decode({'A', 'T', '\r', 0x80}),
            (std::vector<Event>{dropped({'A', 'T'}), frame('\r', 0x80, "10110000000000")}));
  // A stray byte before the probe does not hide it, nor does a cut-off probe.
  EXPECT_EQ(decode({'A', 'A', 'T', '\r', '\n'}), (std::vector<Event>{dropped({'A'}), probe()}));
  EXPECT_EQ(decode({0x55, 'A', 'T', '\r', '\n'}), (std::vector<Event>{dropped({0x55}), probe()}));
  EXPECT_EQ(decode({'A', 'T', '\r', 'A', 'T', '\r', '\n'}),
            (std::vector<Event>{dropped({'A', 'T', '\r'}), probe()}));
  // Not the probe: a wrong third byte, a lone LF, the probe's bytes in another order.
  EXPECT_EQ(decode({'A', 'T', 'X', 0x80}),
            (std::vector<Event>{dropped({'A', 'T'}), frame('X', 0x80, "00011010000000")}));
  FrameDecoder shuffled;
  EXPECT_EQ(shuffled.feed(Bytes{'T', 'A', '\r', '\n'}),
            (std::vector<Event>{dropped({'T'}), dropped({'A'}), dropped({'\r'})}));
  EXPECT_EQ(shuffled.finish(), dropped({'\n'}));
}

TEST(FrameDecoder, ResynchronisesOnLoneBytes) {
  // Two first bytes in a row: the earlier is dropped.
  EXPECT_EQ(decode({0x12, 0x55, 0xAA}),
            (std::vector<Event>{dropped({0x12}), frame(0x55, 0xAA, "10101010101010")}));
  // Second bytes without a first byte are dropped one by one.
  EXPECT_EQ(decode({0xAA, 0x80, 0x55, 0xAA}),
            (std::vector<Event>{dropped({0xAA}), dropped({0x80}), frame(0x55, 0xAA, "10101010101010")}));
  // A frame's second byte lost: the next frame still comes through.
  EXPECT_EQ(decode({0x55, 0x7F, 0xFF}),
            (std::vector<Event>{dropped({0x55}), frame(0x7F, 0xFF, "11111111111111")}));
  // Its first byte lost.
  EXPECT_EQ(decode({0xAA, 0x7F, 0xFF}),
            (std::vector<Event>{dropped({0xAA}), frame(0x7F, 0xFF, "11111111111111")}));
}

TEST(FrameDecoder, HoldsBackWhatMayStillCompleteAndDropsItAtTheEnd) {
  FrameDecoder decoder;
  EXPECT_TRUE(decoder.feed(Bytes{'A', 'T', '\r'}).empty());
  EXPECT_EQ(Bytes(decoder.pending().begin(), decoder.pending().end()), (Bytes{'A', 'T', '\r'}));
  EXPECT_EQ(decoder.finish(), dropped({'A', 'T', '\r'}));
  EXPECT_TRUE(decoder.pending().empty());
  EXPECT_EQ(decoder.finish(), std::nullopt);
  // After finish the decoder starts afresh.
  EXPECT_EQ(decoder.feed(Bytes{0x01, 0x80}), std::vector<Event>{frame(0x01, 0x80, "10000000000000")});
}

TEST(FrameDecoder, EventsDoNotDependOnChunking) {
  const Bytes stream = {'A', 'T', '\r', '\n', 0x55, 0xAA, 0x80, 'A',  'T', 0xC0, 0x12, 0x7F, 0xFF, 'A',
                        'A', 'T', '\r', '\n', 'A',  0xC1, 0x00, 0x80, 'A', 'T',  '\r', 0x81, 0x0A};
  FrameDecoder whole;
  std::vector<Event> expected = whole.feed(stream);
  expected.push_back(*whole.finish());
  ASSERT_EQ(expected.size(), 14U);

  for (std::size_t chunk = 1; chunk <= 5; ++chunk) {
    SCOPED_TRACE(chunk);
    FrameDecoder decoder;
    std::vector<Event> got;
    for (std::size_t at = 0; at < stream.size(); at += chunk) {
      std::size_t size = std::min(chunk, stream.size() - at);
      decoder.feed(std::span<const std::uint8_t>(stream.data() + at, size), got);
    }
    if (auto rest = decoder.finish()) got.push_back(*rest);
    EXPECT_EQ(got, expected);
  }
}

}  // namespace
}  // namespace lumi::unit
