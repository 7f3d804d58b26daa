#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

struct avr_t;
struct avr_irq_t;

namespace lumi::firmware {

// The LED unit's firmware on a simulated ATmega328P at 16 MHz (simavr). Bytes go into
// its UART at the pace of the line, one every ten bit times (8N1) and none while the
// UART says its receive buffer is full; the fourteen LED pins are watched through the
// port IRQs. Time is the simulator's own: ten seconds of silence take next to no real
// time, as the firmware sleeps between events and the simulator skips ahead.
class SimulatedUnit {
 public:
  static constexpr std::uint32_t kFrequency = 16'000'000;

  // Loads an Intel hex file; throws std::runtime_error when it cannot.
  explicit SimulatedUnit(const std::string& hex_path, unsigned line_baud = 9600);
  ~SimulatedUnit();
  SimulatedUnit(const SimulatedUnit&) = delete;
  SimulatedUnit& operator=(const SimulatedUnit&) = delete;

  // Puts bytes on the line after those still queued.
  void Send(std::span<const std::uint8_t> bytes);
  void Send(std::initializer_list<std::uint8_t> bytes) { Send(std::span<const std::uint8_t>(bytes)); }

  // Runs the simulation for that much simulated time; throws when the firmware stops
  // or crashes.
  void Run(std::chrono::microseconds duration);
  // Runs until every queued byte has gone in and the firmware has read it, at most
  // `limit` of simulated time; false when that was not enough.
  bool RunUntilTaken(std::chrono::microseconds limit = std::chrono::seconds(1));

  // The LEDs now, as the port IRQs told: bit n = channel n's pin is an output driven
  // high.
  std::uint16_t Leds() const { return leds_; }
  // The same read straight from the DDR and PORT registers, as a cross-check.
  std::uint16_t LedsFromRegisters() const;

  struct Change {
    std::uint64_t cycle;
    std::uint16_t leds;
  };
  // Every change of the LEDs so far, in order: the state once a write of the three
  // ports has settled, at the cycle it began.
  const std::vector<Change>& Changes() const { return changes_; }

  std::uint64_t Cycle() const;
  static double Seconds(std::uint64_t cycles) { return static_cast<double>(cycles) / kFrequency; }

  // The line the firmware set its UART up for: bits per second from UBRR0 and U2X0,
  // and whether the frame format is 8N1 with the receiver and its interrupt on.
  double FirmwareBaud() const;
  bool FirmwareListens8N1() const;

 private:
  static std::uint64_t FeedTimer(avr_t* avr, std::uint64_t when, void* param);
  static std::uint64_t StopTimer(avr_t* avr, std::uint64_t when, void* param);
  static void OnPin(avr_irq_t* irq, std::uint32_t value, void* param);
  static void OnXon(avr_irq_t* irq, std::uint32_t value, void* param);
  static void OnXoff(avr_irq_t* irq, std::uint32_t value, void* param);

  std::uint64_t Feed(std::uint64_t when);
  void ScheduleFeed();
  void Update(avr_irq_t* irq, std::uint32_t value);

  avr_t* avr_ = nullptr;
  avr_irq_t* uart_input_ = nullptr;
  std::uint64_t cycles_per_byte_;
  std::deque<std::uint8_t> queue_;
  bool feeding_ = false;         // a feed timer is pending
  bool uart_full_ = false;       // between XOFF and XON
  bool taken_ = true;            // the UART's buffer emptied since the last byte went in
  std::uint64_t next_slot_ = 0;  // the first cycle at which the next byte may start
  avr_irq_t* pin_irqs_[14] = {};
  avr_irq_t* direction_irqs_[3] = {};  // ports B, C, D
  std::uint16_t pin_levels_ = 0;       // as the pin IRQs last told, by channel
  std::uint8_t directions_[3] = {};    // as the direction IRQs last told
  std::uint16_t leds_ = 0;
  std::vector<Change> changes_;
};

}  // namespace lumi::firmware
