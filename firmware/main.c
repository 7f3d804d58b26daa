/* The LED unit of lumiscope: fourteen LEDs that follow the two-byte frames arriving on
 * the serial line, all off when no whole frame has come for ten seconds. Between
 * events the processor sleeps (idle mode: the UART and Timer1 keep running and wake
 * it). */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/power.h>
#include <avr/sleep.h>
#include <avr/wdt.h>

#include "frame_decoder.h"
#include "leds.h"
#include "silence.h"
#include "uart.h"

/* What the unit does not use draws no current: the ADC, the analog comparator, SPI,
 * TWI, Timer0 and Timer2. Unused pins get their pull-ups instead of floating. */
static void switch_off_the_rest(void) {
  ACSR = _BV(ACD);
  power_adc_disable();
  power_spi_disable();
  power_twi_disable();
  power_timer0_disable();
  power_timer2_disable();
  PORTD |= _BV(PD1);                                  /* TXD, unused: the unit never answers */
  PORTC |= _BV(PC2) | _BV(PC3) | _BV(PC4) | _BV(PC5); /* A2..A5 */
}

static void take_entry(frame_decoder* decoder, int16_t entry) {
  if (entry == UART_BROKEN) {
    frame_decoder_reset(decoder);
    return;
  }
  uint16_t channels;
  if (frame_decoder_feed(decoder, (uint8_t)entry, &channels)) {
    leds_show(channels);
    silence_restart();
  }
}

int main(void) {
  /* A watchdog that a bootloader left running would reset the unit again and again. */
  MCUSR = 0;
  wdt_disable();

  frame_decoder decoder;
  frame_decoder_reset(&decoder);
  leds_init();
  switch_off_the_rest();
  silence_init();
  uart_init();
  SMCR = SLEEP_MODE_IDLE; /* set_sleep_mode() itself trips -Wconversion */
  sei();

  for (;;) {
    for (int16_t entry = uart_take(); entry != UART_EMPTY; entry = uart_take()) take_entry(&decoder, entry);
    if (silence_expired()) {
      silence_clear();
      leds_show(0);
    }
    /* Sleep only when nothing came in meanwhile: sei takes effect after the next
     * instruction, so an interrupt between the check and sleep_cpu wakes it at once. */
    cli();
    if (!uart_waiting() && !silence_expired()) {
      sleep_enable();
      sei();
      sleep_cpu();
      sleep_disable();
    }
    sei();
  }
}
