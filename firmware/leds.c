#include "leds.h"

#include <avr/io.h>

#define PORTD_LEDS ((uint8_t)0xFC) /* PD2..PD7: channels 0..5 */
#define PORTB_LEDS ((uint8_t)0x3F) /* PB0..PB5: channels 6..11 */
#define PORTC_LEDS ((uint8_t)0x03) /* PC0, PC1: channels 12, 13 */

/* The bits of mask in *port become those of bits; the port's other pins keep theirs. */
static void put(volatile uint8_t* port, uint8_t mask, uint8_t bits) {
  *port = (uint8_t)((*port & (uint8_t)~mask) | (bits & mask));
}

void leds_init(void) {
  leds_show(0);
  DDRD |= PORTD_LEDS;
  DDRB |= PORTB_LEDS;
  DDRC |= PORTC_LEDS;
}

void leds_show(uint16_t channels) {
  put(&PORTD, PORTD_LEDS, (uint8_t)(channels << 2));
  put(&PORTB, PORTB_LEDS, (uint8_t)(channels >> 6));
  put(&PORTC, PORTC_LEDS, (uint8_t)(channels >> 12));
}
