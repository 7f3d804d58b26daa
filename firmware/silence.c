#include "silence.h"

#include <avr/interrupt.h>
#include <avr/io.h>
#include <util/atomic.h>

#define PRESCALE 1024UL
#define TICKS_PER_SECOND ((F_CPU + PRESCALE / 2) / PRESCALE) /* 15625 at 16 MHz: exact */
#define RUNNING (_BV(WGM12) | _BV(CS12) | _BV(CS10))         /* CTC on OCR1A, clk/1024 */
#define STOPPED _BV(WGM12)

#if TICKS_PER_SECOND > 65536UL
#error "F_CPU too high for a one-second tick of Timer1 at clk/1024"
#endif

static volatile uint8_t seconds;
static volatile bool expired;

void silence_init(void) {
  TCCR1B = STOPPED;
  TCCR1A = 0;
  OCR1A = (uint16_t)(TICKS_PER_SECOND - 1);
  TIMSK1 = _BV(OCIE1A);
}

void silence_restart(void) {
  ATOMIC_BLOCK(ATOMIC_RESTORESTATE) {
    TCCR1B = STOPPED;
    TCNT1 = 0;
    TIFR1 = _BV(OCF1A); /* a compare match already due belongs to the old count */
    seconds = 0;
    expired = false;
    TCCR1B = RUNNING;
  }
}

bool silence_expired(void) { return expired; }

void silence_clear(void) { expired = false; }

ISR(TIMER1_COMPA_vect) {
  if (++seconds < SILENCE_SECONDS) return;
  TCCR1B = STOPPED;
  expired = true;
}
