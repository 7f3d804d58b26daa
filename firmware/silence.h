/* Tells when no whole frame has come for SILENCE_SECONDS: Timer1 ticks once a second
 * (CTC mode, clk/1024) from the last frame on and stops when the time is up, so the
 * processor is not woken while the unit waits for a frame that may never come. */
#pragma once

#include <stdbool.h>

#define SILENCE_SECONDS 10

/* Sets the timer up, stopped: before the first frame every LED is off anyway. */
void silence_init(void);

/* A whole frame has arrived: the SILENCE_SECONDS start again from now. */
void silence_restart(void);

/* Whether the time has run out; stays true until silence_clear or silence_restart. */
bool silence_expired(void);

/* Forgets an expiry that has been dealt with; the timer stays stopped. */
void silence_clear(void);
