#include "uart.h"

#include <avr/interrupt.h>
#include <avr/io.h>

#ifndef BAUD
#define BAUD 9600
#endif
/* Computes UBRR0 and whether U2X0 is needed; its #warning on a baud rate error above
 * BAUD_TOL percent (2 unless given) stops the build, as warnings are errors. */
#include <util/setbaud.h>

#define QUEUE_SIZE 16u /* a power of two; frames come 2 bytes at a time */

static volatile uint16_t queue[QUEUE_SIZE];
static volatile uint8_t head; /* written by the interrupt only */
static volatile uint8_t tail; /* written by uart_take only */

void uart_init(void) {
  UBRR0 = UBRR_VALUE;
#if USE_2X
  UCSR0A = _BV(U2X0);
#else
  UCSR0A = 0;
#endif
  UCSR0C = _BV(UCSZ01) | _BV(UCSZ00); /* asynchronous, 8 data bits, no parity, 1 stop bit */
  UCSR0B = _BV(RXCIE0) | _BV(RXEN0);
}

static void put(uint16_t entry) {
  uint8_t next = (uint8_t)((head + 1u) & (QUEUE_SIZE - 1u));
  if (next == tail) {
    /* Full: the newest entry becomes the mark that bytes went missing after it. */
    queue[(head - 1u) & (QUEUE_SIZE - 1u)] = UART_BROKEN;
    return;
  }
  queue[head] = entry;
  head = next;
}

ISR(USART_RX_vect) {
  uint8_t status = UCSR0A; /* the error flags belong to the byte in UDR0: read them first */
  uint8_t byte = UDR0;
  if (status & _BV(FE0)) {
    put(UART_BROKEN);
    return;
  }
  put(byte);
  if (status & _BV(DOR0)) put(UART_BROKEN); /* a byte after this one was lost */
}

int16_t uart_take(void) {
  if (tail == head) return UART_EMPTY;
  int16_t entry = (int16_t)queue[tail];
  tail = (uint8_t)((tail + 1u) & (QUEUE_SIZE - 1u));
  return entry;
}

bool uart_waiting(void) { return tail != head; }
