/* The receiver of USART0 (RXD = PD0), 8N1 at BAUD bits per second (a build option,
 * 9600 when not given), filled by its interrupt into a small queue. The transmitter
 * stays off: the unit never answers. */
#pragma once

#include <stdbool.h>
#include <stdint.h>

/* What uart_take hands out besides a byte 0..255. */
#define UART_EMPTY (-1)
#define UART_BROKEN 0x100 /* bytes were lost or arrived broken here (framing error, overrun) */

void uart_init(void);

/* The oldest entry of the queue: a byte, UART_BROKEN, or UART_EMPTY when there is none. */
int16_t uart_take(void);

/* Whether uart_take has something; call with interrupts disabled before sleeping. */
bool uart_waiting(void);
