#include "tests/firmware/simulated_unit.h"

#include <avr_ioport.h>
#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_cycle_timers.h>
#include <sim_hex.h>
#include <sim_io.h>
#include <sim_irq.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace lumi::firmware {

namespace {

// Data-space addresses of the ATmega328P's registers looked at here.
constexpr int kUcsr0B = 0xC1, kUcsr0C = 0xC2, kUcsr0A = 0xC0, kUbrr0L = 0xC4, kUbrr0H = 0xC5;
constexpr int kEicra = 0x69;
constexpr std::uint8_t kU2x0 = 1 << 1, kRxen0 = 1 << 4, kRxcie0 = 1 << 7;

// Ports B, C, D: their index here and their DDR and PORT registers.
constexpr char kPorts[3] = {'B', 'C', 'D'};
constexpr int kDdr[3] = {0x24, 0x27, 0x2A};
constexpr int kPort[3] = {0x25, 0x28, 0x2B};

// Where channel n's LED is: the pin table of firmware/README.md (port index, bit).
struct Pin {
  int port;
  int bit;
};
constexpr Pin kPins[14] = {{2, 2}, {2, 3}, {2, 4}, {2, 5}, {2, 6}, {2, 7}, {0, 0},
                           {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 0}, {1, 1}};

// Pin IRQs this close together belong to one change of the LEDs (10 us).
constexpr std::uint64_t kSettleCycles = 160;

// Sleeping costs no real time: the simulator jumps to its next timer at once.
void NoRealTimeSleep(avr_t*, avr_cycle_count_t) {}

}  // namespace

// simavr 1.6 keeps its IRQs and their hooks after avr_terminate; LeakSanitizer, in the
// sanitizer build, is not to count that against the tests.
extern "C" const char* __lsan_default_suppressions() { return "leak:libsimavr.so\n"; }

SimulatedUnit::SimulatedUnit(const std::string& hex_path, unsigned line_baud)
    : cycles_per_byte_(static_cast<std::uint64_t>(std::llround(10.0 * kFrequency / line_baud))) {
  std::uint32_t size = 0;
  std::uint32_t start = 0;
  std::uint8_t* image = read_ihex_file(hex_path.c_str(), &size, &start);
  if (image == nullptr || size == 0) {
    std::free(image);
    throw std::runtime_error("cannot read the firmware " + hex_path);
  }
  avr_ = avr_make_mcu_by_name("atmega328p");
  if (avr_ == nullptr) {
    std::free(image);
    throw std::runtime_error("simavr does not know the atmega328p");
  }
  avr_init(avr_);
  avr_->frequency = kFrequency;
  avr_->log = LOG_ERROR;
  avr_->sleep = NoRealTimeSleep;
  if (start + size > avr_->flashend + 1u) {
    std::free(image);
    throw std::runtime_error("the firmware " + hex_path + " does not fit the flash");
  }
  avr_loadcode(avr_, image, size, start);
  std::free(image);
  avr_->codeend = start + size;
  // INT0 and INT1 (PD2, PD3: two LED pins) are off, but in their reset sense, low
  // level, simavr polls the pins every cycle while they are low, which keeps a
  // sleeping firmware from skipping ahead. Any-change sense stops that; with the
  // interrupts masked (EIMSK 0) the chip behaves the same.
  avr_->data[kEicra] = 0x05;

  // The UART neither sleeps when polled nor prints what the firmware sends.
  std::uint32_t flags = 0;
  avr_ioctl(avr_, AVR_IOCTL_UART_SET_FLAGS('0'), &flags);
  uart_input_ = avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_INPUT);
  avr_irq_register_notify(avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUT_XON), OnXon, this);
  avr_irq_register_notify(avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUT_XOFF), OnXoff, this);

  for (int channel = 0; channel < 14; ++channel) {
    const Pin pin = kPins[channel];
    pin_irqs_[channel] =
        avr_io_getirq(avr_, AVR_IOCTL_IOPORT_GETIRQ(kPorts[pin.port]), IOPORT_IRQ_PIN0 + pin.bit);
    avr_irq_register_notify(pin_irqs_[channel], OnPin, this);
  }
  for (int port = 0; port < 3; ++port) {
    direction_irqs_[port] =
        avr_io_getirq(avr_, AVR_IOCTL_IOPORT_GETIRQ(kPorts[port]), IOPORT_IRQ_DIRECTION_ALL);
    avr_irq_register_notify(direction_irqs_[port], OnPin, this);
  }
}

SimulatedUnit::~SimulatedUnit() {
  avr_terminate(avr_);
  std::free(avr_);
}

void SimulatedUnit::Send(std::span<const std::uint8_t> bytes) {
  queue_.insert(queue_.end(), bytes.begin(), bytes.end());
  ScheduleFeed();
}

void SimulatedUnit::ScheduleFeed() {
  if (feeding_ || uart_full_ || queue_.empty()) return;
  feeding_ = true;
  const std::uint64_t now = avr_->cycle;
  avr_cycle_timer_register(avr_, next_slot_ > now ? next_slot_ - now : 0, FeedTimer, this);
}

std::uint64_t SimulatedUnit::FeedTimer(avr_t*, std::uint64_t when, void* param) {
  return static_cast<SimulatedUnit*>(param)->Feed(when);
}

std::uint64_t SimulatedUnit::Feed(std::uint64_t when) {
  if (queue_.empty() || uart_full_) {
    feeding_ = false;  // Send or XON starts again
    return 0;
  }
  const std::uint8_t byte = queue_.front();
  queue_.pop_front();
  taken_ = false;
  next_slot_ = when + cycles_per_byte_;
  avr_raise_irq(uart_input_, byte);
  return next_slot_;
}

void SimulatedUnit::OnXon(avr_irq_t*, std::uint32_t, void* param) {
  auto* unit = static_cast<SimulatedUnit*>(param);
  // Raised when the firmware has read the UART's buffer empty.
  unit->uart_full_ = false;
  unit->taken_ = true;
  unit->ScheduleFeed();
}

void SimulatedUnit::OnXoff(avr_irq_t*, std::uint32_t value, void* param) {
  static_cast<SimulatedUnit*>(param)->uart_full_ = value != 0;
}

std::uint64_t SimulatedUnit::StopTimer(avr_t*, std::uint64_t, void*) { return 0; }

void SimulatedUnit::Run(std::chrono::microseconds duration) {
  const std::uint64_t cycles = static_cast<std::uint64_t>(duration.count()) * (kFrequency / 1'000'000);
  const std::uint64_t target = avr_->cycle + cycles;
  // A timer at the end, so that a sleeping firmware wakes the simulator exactly there.
  avr_cycle_timer_register(avr_, cycles, StopTimer, this);
  while (avr_->cycle < target) {
    const int state = avr_run(avr_);
    if (state == cpu_Done || state == cpu_Crashed)
      throw std::runtime_error(state == cpu_Done ? "the firmware stopped" : "the firmware crashed");
  }
  avr_cycle_timer_cancel(avr_, StopTimer, this);
}

bool SimulatedUnit::RunUntilTaken(std::chrono::microseconds limit) {
  const std::chrono::microseconds step(100);
  for (std::chrono::microseconds spent(0); spent < limit; spent += step) {
    if (queue_.empty() && taken_) return true;
    Run(step);
  }
  return queue_.empty() && taken_;
}

void SimulatedUnit::OnPin(avr_irq_t* irq, std::uint32_t value, void* param) {
  static_cast<SimulatedUnit*>(param)->Update(irq, value);
}

void SimulatedUnit::Update(avr_irq_t* irq, std::uint32_t value) {
  for (int channel = 0; channel < 14; ++channel) {
    if (irq != pin_irqs_[channel]) continue;
    const auto bit = static_cast<std::uint16_t>(1u << channel);
    pin_levels_ = static_cast<std::uint16_t>(value != 0 ? pin_levels_ | bit : pin_levels_ & ~bit);
  }
  for (int port = 0; port < 3; ++port) {
    if (irq == direction_irqs_[port]) directions_[port] = static_cast<std::uint8_t>(value);
  }
  std::uint16_t leds = 0;
  for (int channel = 0; channel < 14; ++channel) {
    const Pin pin = kPins[channel];
    const bool output = ((directions_[pin.port] >> pin.bit) & 1) != 0;
    if (output && ((pin_levels_ >> channel) & 1) != 0)
      leds = static_cast<std::uint16_t>(leds | (1u << channel));
  }
  if (leds == leds_) return;
  leds_ = leds;
  // One write of the three ports raises a pin IRQ per bit, a few cycles apart: what
  // comes within kSettleCycles of a change is part of it.
  if (!changes_.empty() && avr_->cycle - changes_.back().cycle < kSettleCycles) {
    changes_.back().leds = leds;
    const std::uint16_t before = changes_.size() >= 2 ? changes_[changes_.size() - 2].leds : 0;
    if (leds == before) changes_.pop_back();
    return;
  }
  changes_.push_back({avr_->cycle, leds});
}

std::uint16_t SimulatedUnit::LedsFromRegisters() const {
  std::uint16_t leds = 0;
  for (int channel = 0; channel < 14; ++channel) {
    const Pin pin = kPins[channel];
    const std::uint8_t lit = avr_->data[kDdr[pin.port]] & avr_->data[kPort[pin.port]];
    if (((lit >> pin.bit) & 1) != 0) leds = static_cast<std::uint16_t>(leds | (1u << channel));
  }
  return leds;
}

std::uint64_t SimulatedUnit::Cycle() const { return avr_->cycle; }

double SimulatedUnit::FirmwareBaud() const {
  const unsigned divisor = (avr_->data[kUbrr0H] & 0x0Fu) << 8 | avr_->data[kUbrr0L];
  const unsigned samples = (avr_->data[kUcsr0A] & kU2x0) != 0 ? 8 : 16;
  return static_cast<double>(kFrequency) / (samples * (divisor + 1.0));
}

bool SimulatedUnit::FirmwareListens8N1() const {
  // UCSR0C: asynchronous (UMSEL0 = 00), no parity (UPM0 = 00), one stop bit, 8 bits
  // (UCSZ01, UCSZ00; UCSZ02 in UCSR0B clear).
  const std::uint8_t c = avr_->data[kUcsr0C];
  const std::uint8_t b = avr_->data[kUcsr0B];
  return c == 0x06 && (b & 0x04) == 0 && (b & kRxen0) != 0 && (b & kRxcie0) != 0;
}

}  // namespace lumi::firmware
