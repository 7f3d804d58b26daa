/* Turns the bytes of lumiscope's serial line into frames, one byte at a time. Pure C
 * that touches no register, so the host tests compile it as it is.
 *
 * A frame is two bytes: a first byte with bit 7 clear carries channels 6..0 in bits
 * 6..0, a second byte with bit 7 set carries channels 13..7 in bits 6..0; a 1 is a lit
 * LED. The decoder holds at most one pending first byte: a new first byte replaces it,
 * a second byte completes the frame with it, and a second byte with nothing pending is
 * ignored. The probe "AT" CR LF is four bytes with bit 7 clear, so it never makes a
 * frame: it only leaves a pending first byte that the next real first byte replaces.
 */
#pragma once

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define FRAME_CHANNELS 14

typedef struct frame_decoder {
  uint8_t first;
  bool pending;
} frame_decoder;

/* Forgets a pending first byte; also the state to start from. */
void frame_decoder_reset(frame_decoder* decoder);

/* Takes the next byte of the line. True when it completes a frame: then bit n of
 * *channels is channel n (indicator n + 1), for n = 0..13, and bits 14, 15 are 0. */
bool frame_decoder_feed(frame_decoder* decoder, uint8_t byte, uint16_t* channels);

#ifdef __cplusplus
}
#endif
