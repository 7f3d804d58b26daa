/* The fourteen LEDs, each lit by its pin driven high (LED and series resistor to GND).
 * Channel n is indicator n + 1:
 *   channels 0..5   D2..D7   PD2..PD7
 *   channels 6..11  D8..D13  PB0..PB5
 *   channels 12, 13 A0, A1   PC0, PC1
 * PD0 and PD1 stay with the UART; the table is also in firmware/README.md. */
#pragma once

#include <stdint.h>

/* Makes the fourteen pins outputs, every LED off. */
void leds_init(void);

/* Bit n of channels lights channel n's LED, for n = 0..13; every other LED goes off. */
void leds_show(uint16_t channels);
